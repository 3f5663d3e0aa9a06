#include "app/ProgramExit.h"

#include "app/SystemServiceNotify.h"
#include "engine/AdvanceSettings.h"
#include "engine/Calibration.h"
#include "engine/ModeChangeGuard.h"
#include "engine/ModeRequest.h"
#include "kelp/System/Trace.h"
#include "kelp/vantor/BiosInterface.h"
#include "kelp/vantor/BiosItems.h"
#include "screens/blackscreen/BlackScreenGuard.h"

bool EndWorkInFlight(DWORD waitMs)
{
    // The calibration's end restores its level through the mode engine: a
    // change that would outlive the program.
    CloseModeChanges();
    // The load goes first: it would slow down the change being waited for.
    EndRunningCalibration();
    WithdrawBlackScreen();
    const bool settled = WaitForModeChange(waitMs);
    if (!settled) {
        kelp::Trace("~~~[Exit] a mode change still runs after %lu ms; the process ends under it", waitMs);
        ModeChangeGuard::Abandon();
    }
    return settled;
}

bool PrepareExit(HWND window)
{
    const bool settled = EndWorkInFlight(kExitWaitMs);
    kelp::SetItem(kelp::BiosItemId::kGearLevel, 0);
    UnregisterServiceNotify(window);
    AdvanceSettings& settings = AdvanceSettings::Instance();
    settings.ClearCalibration_Flag();
    settings.ClearGear_Flag();
    return settled;
}
