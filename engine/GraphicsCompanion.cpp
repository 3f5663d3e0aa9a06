#include "engine/GraphicsCompanion.h"

#include "engine/AdvanceSettings.h"
#include "hw/GpuNitrelServer.h"

namespace {

// The board's own boost applies the graphics frequency stored for the mode.
uint32_t StoredGpuFreq(int modeIndex)
{
    ModeTuning tuning;
    return AdvanceSettings::Instance().GetTuning(modeIndex, tuning) ? tuning.GpuFreq : 0;
}

} // namespace

kelp::GpuLib& GraphicsCompanion()
{
    return kelp::GpuLibInstance(&StoredGpuFreq);
}
