#pragma once
// What the settings store needs of the power monitor: the per-mode hardware
// defaults the BIOS reported at start-up, programming a mode's BIOS items,
// and the ACPI interface version. The monitor plugs itself in before the
// settings store is first used.

#include <cstdint>

struct HardwareDefaults {
    uint32_t fsb = 0;
    uint32_t vCore = 0;
    uint32_t loadLine = 0;
    uint32_t nbVolt = 0;
};

class ModeHardware {
public:
    // Defaults of mode index 0-3 (High Performance's are all zero).
    virtual HardwareDefaults GetDefaults(int modeIndex) = 0;
    // Programs the mode's BIOS items; only Turbo, Medium and Low have any.
    virtual void ApplyTuning(int modeIndex, uint32_t fsb, uint32_t vCore, uint32_t loadLine,
                             uint32_t nbVolt) = 0;
    virtual bool IsAcpiV3() = 0;

protected:
    ~ModeHardware() = default;
};

// The plugged object must live until the process ends (or be unplugged with
// nullptr). Without one, the defaults are all zero, nothing is programmed and
// the interface counts as older than version 3.
void PlugModeHardware(ModeHardware* hardware);
ModeHardware& PluggedModeHardware();
