#pragma once
// The operations of the power-gear library (Tamsel.dll), one virtual slot
// per library function or derived query. Levels are the mode engine's gear
// levels (0x4000 Turbo, 0, 1, 2, 0x8000 Auto). Item identifiers are BIOS
// item identifiers (BiosItems.h).

#include <cstdint>
#include <cstring>
#include <string>

namespace kelp {

// The level that hands gear selection to the firmware (Auto).
inline constexpr int kGearLevelAuto = 0x8000;

// The library's description of one item. The program reads the value range
// of number items from it: index n means base + n * step, n < steps.
struct GearItemInformation {
    static constexpr size_t kSize = 96;
    static constexpr size_t kBaseOffset = 76;
    static constexpr size_t kStepOffset = 80;
    static constexpr size_t kStepsOffset = 84;

    unsigned char bytes[kSize] = {};

    int32_t Base() const { return FieldAt(kBaseOffset); }
    int32_t Step() const { return FieldAt(kStepOffset); }
    int32_t Steps() const { return FieldAt(kStepsOffset); }

private:
    int32_t FieldAt(size_t offset) const
    {
        int32_t value;
        std::memcpy(&value, bytes + offset, sizeof value);
        return value;
    }
};

class PowerGearImp {
public:
    virtual ~PowerGearImp() = default;

    // Loads the library and learns the board's support level; the
    // library's initialisation result.
    virtual bool Open() = 0;
    virtual bool IsSupported() = 0;
    // The BIOS runs overclocked: power modes must not be applied.
    virtual bool CheckOc() = 0;
    virtual int GetLevel() = 0;
    virtual bool SetLevel(int level) = 0;
    // As SetLevel, but through the gear-level item.
    virtual bool SetLevelItem(int level) = 0;
    virtual bool CheckReboot(uint32_t argument) = 0;
    virtual uint32_t IsDozlaSupported() = 0;
    virtual uint32_t IsFanControlSupported() = 0;
    virtual uint32_t IsBroskSupported() = 0;
    virtual uint32_t IsBroskTwoSupported() = 0;
    virtual uint32_t IsBroskThreeSupported() = 0;
    virtual uint32_t IsFarcallSupported() = 0;
    virtual uint32_t IsNitrelSupported() = 0;
    virtual uint32_t IsThermostatSupported() = 0;
    // Support levels: 1 basic gear, 2 gear with the capability item's bit
    // 0, 3 advanced gear (engine switch, thresholds), 4 advanced gear with
    // a maximum-saving gear of its own.
    virtual bool IsLevelTwo() = 0;
    virtual bool IsAdvancedGear() = 0;
    virtual bool IsLevelFour() = 0;
    virtual bool IsLevelFourEight() = 0;
    virtual uint32_t IsVentryThreeSupported() = 0;
    virtual uint32_t ButtonEnable() = 0;
    virtual bool GetItem(uint32_t id, uint32_t& value) = 0;
    virtual bool SetItem(uint32_t id, uint32_t value) = 0;
    virtual bool IsItemSupported(uint32_t id) = 0;
    // Library result passed through; bit 0 = success.
    virtual uint32_t SetItemEx(uint32_t id, uint32_t first, uint32_t second) = 0;
    // Writes Auto thresholds 1-3, reporting each failed write.
    virtual bool SetThreshold(uint32_t t1, uint32_t t2, uint32_t t3) = 0;
    virtual uint32_t GetStringList(uint32_t a, uint32_t b, uint32_t c, uint32_t d) = 0;
    virtual uint32_t GetItemDefaultValue(uint32_t a, uint32_t b) = 0;
    virtual bool GetItemInformation(uint32_t id, GearItemInformation& record) = 0;
    virtual std::string GetLibraryPath() = 0;

    // Queries built from the item operations above.
    bool HasSixThresholds();
    // The firmware asks for the stored thresholds to be discarded.
    bool IsThresholdResetPending();
    void ClearThresholdReset();
};

} // namespace kelp
