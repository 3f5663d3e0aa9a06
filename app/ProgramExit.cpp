#include "app/ProgramExit.h"

#include "app/SystemServiceNotify.h"
#include "engine/AdvanceSettings.h"
#include "engine/CpuPowerMonitor.h"
#include "engine/ModeChangeGuard.h"
#include "engine/ModeRequest.h"
#include "kelp/System/Trace.h"
#include "kelp/vantor/BiosInterface.h"
#include "kelp/vantor/BiosItems.h"

bool PrepareExit(HWND window)
{
    // A calibration cut short by the exit restores its level through the
    // mode engine: that change would outlive the program.
    CloseModeChanges();
    const bool settled = WaitForModeChange(kExitWaitMs);
    if (!settled) {
        kelp::Trace("~~~[Exit] a mode change still runs after %lu ms; the process ends under it", kExitWaitMs);
        ModeChangeGuard::Abandon();
    }
    kelp::SetItem(kelp::BiosItemId::kGearLevel, 0);
    UnregisterServiceNotify(window);
    AdvanceSettings& settings = AdvanceSettings::Instance();
    settings.ClearCalibration_Flag();
    settings.ClearGear_Flag();
    CpuPowerMonitor::Instance().Ledger().Save();
    return settled;
}
