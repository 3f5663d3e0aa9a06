#pragma once
// Every BIOS item identifier the program uses, and the identifier fields.
// Identifier: bits 31-24 group, 23-20 class, 19-16 type, 15-0 item number.

#include <cstdint>

namespace kelp {

constexpr uint8_t ItemGroup(uint32_t id) { return uint8_t(id >> 24); }
constexpr unsigned ItemClass(uint32_t id) { return (id >> 20) & 0xF; }
constexpr unsigned ItemType(uint32_t id) { return (id >> 16) & 0xF; }
constexpr uint16_t ItemNumber(uint32_t id) { return uint16_t(id); }

constexpr unsigned kPlainItemClass = 8; // items that cannot carry extra strings
constexpr unsigned kBooleanItemType = 7;
constexpr unsigned kStringItemType = 8;

// Description attribute word: the enumerating adapters skip the item.
constexpr uint32_t kItemAttributeHidden = 0x40000000;

namespace BiosItemId {
// Platform flags
constexpr uint32_t kTuningFlags = 0x00060001;        // bit 6: tuning disabled
constexpr uint32_t kTuningFlagsDisabledBit = 0x40;
constexpr uint32_t kExtremeTuningCapability = 0x00060008; // with the next: bit 2 set in both = XTU conflict
constexpr uint32_t kExtremeTuningState = 0x00060009;
constexpr uint32_t kExtremeTuningBit = 0x04;
constexpr uint32_t kThresholdReset = 0x00070005;     // 1 = discard stored thresholds

// Graphics boost and ratio tuning (group 0x03)
constexpr uint8_t kTuningGroup = 0x03;
constexpr uint16_t kGraphicsBoostNumber = 0x0060;
constexpr uint16_t kGraphicsBoostSecondNumber = 0x0061;
constexpr uint32_t kGraphicsBoostBase = 0x03010065;
constexpr uint32_t kIntegratedGraphics = 0x03080064;
constexpr uint32_t kGraphicsBoostWrite = 0x05080060; // written with a reply list
constexpr uint16_t kRatioTunerNumber = 0x0013;
constexpr uint16_t kOcLeadNumber = 0x0011;           // heads the ordered overclock list
constexpr uint16_t kOcOrderedNumbers[] = {0x0011, 0x0012, 0x0032, 0x0015};
constexpr uint16_t kOcExcludedNumber = 0x0031;
constexpr uint16_t kOcNumberLimit = 0x00F0;          // numbers from here on are not tuned

// Fans
constexpr uint32_t kFanBaseTemperature = 0x04030017;
constexpr uint32_t kCpuFanControl = 0x04070010;
constexpr uint32_t kChassisFanControl = 0x04070070;
constexpr uint32_t kCpuFanProfile = 0x04080011;
constexpr uint32_t kChassisFanProfile = 0x04080071;

// Firmware state: values other than 1 and 2 mean overclocked
constexpr uint32_t kOverclockState = 0x09080000;

// Power gear and per-mode settings (group 0x0B)
constexpr uint8_t kGearGroup = 0x0B;
constexpr uint16_t kFsbTurboNumber = 0x0006;   // its type nibble picks the identifiers below
constexpr uint16_t kFsbSavingNumber = 0x0007;
constexpr uint32_t kPhaseFsbTurbo = 0x0B010006;
constexpr uint32_t kPhaseFsbSaving = 0x0B010007;
constexpr uint32_t kFsbTurbo = 0x0B050006;
constexpr uint32_t kFsbSaving = 0x0B050007;
constexpr uint32_t kGearLevel = 0x0B060001;
constexpr uint32_t kGearEnable = 0x0B060002;
constexpr uint32_t kGearCapability = 0x0B060003;
constexpr uint32_t kSettingModeIndex = 0x0B060010;
constexpr uint32_t kNbVoltage = 0x0B060021;
constexpr uint32_t kLoadLine = 0x0B060022;
constexpr uint32_t kCoreVoltage = 0x0B060023;

// Gear readings and Auto thresholds
constexpr uint32_t kAutoGear = 0x0E060001;
constexpr uint32_t kCpuCurrent = 0x0E0A0011;
constexpr uint32_t kAutoThreshold1 = 0x0E0A0014; // thresholds 1..6 follow one another
constexpr uint32_t kAutoThreshold4 = 0x0E0A0017;
constexpr uint32_t kAutoThreshold5 = 0x0E0A0018;
constexpr uint32_t kAutoThreshold6 = 0x0E0A0019;
constexpr uint32_t kCpuPower = 0x0E0B0013;      // bits 15-11 signed exponent, 10-0 mantissa

// Phase control, Super-I/O access, Auto permission
constexpr uint32_t kPhaseMode = 0x1103001C;
constexpr uint32_t kSioDirectGate = 0x11060004;
constexpr uint32_t kSioRegister = 0x11060009;
constexpr uint32_t kAutoAllowed = 0x11070010;
} // namespace BiosItemId

} // namespace kelp
