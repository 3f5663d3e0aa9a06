#pragma once
// The power-gear firmware of the virtual board, working on the shared board
// state: gear levels, the per-mode setting items, the sensor readings and
// the Auto gear selection.
//
// Items: 0x0B060001 gear level, 0x0B060002 gear engine, 0x0B060003
// capability (bits 2-3: a maximum-saving gear exists), 0x0B060010 setting
// mode index, 0x0E060001 gear in effect under Auto (saving index 0 Turbo,
// 1 High Performance, 2 Medium, 3 Max), 0x0E0A0011 CPU current (A),
// 0x0E0A0014-16 Auto switch-up thresholds, 0x0E0A0017-19 (when present)
// switch-down thresholds, 0x0E0B0013 CPU power word (PowerWord.h).
//
// Knobs ([knobs] of a profile or the state):
//   tamsel_set_level_delay_ms  a level change takes this long (default 0)
//   tamsel_cpu_load            fixed processor load in percent instead of the machine's
//   tamsel_sensors=hold        current and power keep the values they have
//   tamsel_idle_current, tamsel_full_current   amperes at 0 % / 100 % load in
//                              High Performance (default 8, 60)
//   tamsel_vcore_mv            core voltage for the power reading (1200)
//   tamsel_hysteresis          amperes below a threshold before Auto steps down (2)
//   tamsel_tick_ms             firmware period (500)
//   tamsel_supported, tamsel_reboot, tamsel_check_oc_fails and the feature
//   answers (see FeatureKnob in TamselExports.cpp).
// The board's fault knobs fail.read and fail.write (Faults.h) apply to the
// library's item calls as well.
//
// The setting items show the values of the selected setting mode; those of
// the other modes live in the state's [tamsel_modes] section as
// "<item>@<mode index>=<value>", where a profile may give per-mode
// defaults (a mode without an entry starts from the item's default).

#include "board/core/BoardState.h"

#include <cstdint>

namespace tamsel {

constexpr uint32_t kGearLevelItem = 0x0B060001;
constexpr uint32_t kGearEngineItem = 0x0B060002;
constexpr uint32_t kCapabilityItem = 0x0B060003;
constexpr uint32_t kSettingModeItem = 0x0B060010;
constexpr uint32_t kAutoGearItem = 0x0E060001;
constexpr uint32_t kCpuCurrentItem = 0x0E0A0011;
constexpr uint32_t kFirstThresholdItem = 0x0E0A0014;
constexpr uint32_t kCpuPowerItem = 0x0E0B0013;
constexpr uint32_t kOverclockStateItem = 0x09080000;

constexpr uint32_t kLevelTurbo = 0x4000;
constexpr uint32_t kLevelAuto = 0x8000;

// The five gear levels, and any other value up to 255 (which runs as
// High Performance).
bool IsAcceptedLevel(uint32_t level);

// The saving index (0-3) the board runs at now, Auto resolved.
unsigned GearInForce(const vboard::BoardState& state);

// Item writes of the library: the gear level and the setting-mode index
// take their firmware paths, everything else is a plain write.
bool WriteGearItem(vboard::BoardState& state, uint32_t id, uint32_t value);

// What the firmware senses and decides: the CPU current (A) and power word,
// and the gear in effect under Auto (0 for an item the board lacks).
struct SensorReadings {
    uint32_t current = 0;
    uint32_t power = 0;
    uint32_t autoGear = 0;
    bool operator==(const SensorReadings&) const = default;
};

SensorReadings CurrentReadings(const vboard::BoardState& state);
// The readings after one firmware period with the processor at
// `loadPercent`: current and power follow the load and, under Auto, the
// gear in effect steps at most one gear towards the thresholds' choice.
SensorReadings SensedReadings(const vboard::BoardState& state, unsigned loadPercent);
void StoreReadings(vboard::BoardState& state, const SensorReadings& readings);

// The library's 96-byte item record: identifier @0, name @4 (64 bytes),
// default @68, value @72, base @76, step @80, number of steps @84,
// exponent @88, attributes @92. False for an unknown item.
bool DescribeItem(const vboard::BoardState& state, uint32_t id, unsigned char* record);

// The BIOS runs overclocked: its overclock state is neither 1 nor 2.
bool IsOverclocked(const vboard::BoardState& state);

} // namespace tamsel
