#pragma once
// Per-mode tuning values, stored unchanged in the units of the BIOS items
// and libraries that consume them.

#include "engine/ModeModel.h"

#include <array>
#include <cstdint>

struct ModeTuning {
    uint32_t Fsb = 0;      // bus frequency setting
    uint32_t GpuFreq = 0;  // graphics frequency setting
    uint32_t vCore = 0;    // core voltage setting
    uint32_t LoadLine = 0; // load-line setting
    uint32_t NbVolt = 0;   // north-bridge voltage setting
    uint32_t DozlaIdleTimeout = 0; // ms of no input before the idle action; < 60000 = off
    uint32_t SpinDownTimeout = 0;  // hard-disk spin-down time
    uint32_t Fan = 0;      // 1 = quiet fan profile, 0 = normal fan control

    bool operator==(const ModeTuning&) const = default;
};

using ModeTunings = std::array<ModeTuning, ModeIndex::Count>;

// Factory record of mode index 0-4, with the hardware values taken from the
// power monitor's per-mode defaults. An index outside 0-4 gives an all-zero
// record.
ModeTuning DefaultTuning(int modeIndex);

// Auto runs the saving modes by itself, so its extras follow modes 0-3: the
// shortest non-zero idle and spin-down times (0 when all are 0) and the
// quiet fan when Medium or Low has it. Its hardware values stay as they are.
void DeriveAutoTuning(ModeTunings& modes);
