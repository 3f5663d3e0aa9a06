#include "engine/ModeTuning.h"

#include "engine/ModeHardware.h"
#include "engine/ModeModel.h"

namespace {

constexpr uint32_t kFactorySpinDown = 1200;

// Smallest non-zero value of the field over modes 0-3; 0 when all are 0.
uint32_t SmallestNonZero(const ModeTunings& modes, uint32_t ModeTuning::*field)
{
    uint32_t smallest = 0;
    for (int i = 0; i < ModeIndex::FixedCount; ++i) {
        const uint32_t value = modes[i].*field;
        if (value != 0 && (smallest == 0 || value < smallest))
            smallest = value;
    }
    return smallest;
}

} // namespace

ModeTuning DefaultTuning(int modeIndex)
{
    ModeTuning tuning;
    if (modeIndex < 0 || modeIndex >= ModeIndex::Count)
        return tuning;
    if (modeIndex != ModeIndex::Auto) {
        const HardwareDefaults defaults = PluggedModeHardware().GetDefaults(modeIndex);
        // High Performance never changes the bus frequency.
        if (modeIndex != ModeIndex::HighPerformance)
            tuning.Fsb = defaults.fsb;
        tuning.vCore = defaults.vCore;
        tuning.LoadLine = defaults.loadLine;
        tuning.NbVolt = defaults.nbVolt;
    }
    if (modeIndex == ModeIndex::Medium || modeIndex == ModeIndex::Low || modeIndex == ModeIndex::Auto) {
        tuning.SpinDownTimeout = kFactorySpinDown;
        tuning.Fan = 1;
    }
    return tuning;
}

void DeriveAutoTuning(ModeTunings& modes)
{
    ModeTuning& autoTuning = modes[ModeIndex::Auto];
    autoTuning.DozlaIdleTimeout = SmallestNonZero(modes, &ModeTuning::DozlaIdleTimeout);
    autoTuning.SpinDownTimeout = SmallestNonZero(modes, &ModeTuning::SpinDownTimeout);
    autoTuning.Fan = (modes[ModeIndex::Medium].Fan != 0 || modes[ModeIndex::Low].Fan != 0) ? 1 : 0;
}
