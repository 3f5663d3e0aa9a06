#include "app/ProgramExit.h"

#include "app/SystemServiceNotify.h"
#include "engine/AdvanceSettings.h"
#include "engine/Calibration.h"
#include "engine/CpuPowerMonitor.h"
#include "engine/ModeExtras.h"
#include "engine/ModeModel.h"
#include "engine/ModeRequest.h"
#include "hw/SioLock.h"
#include "framework/system/Trace.h"
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
        Trace("~~~[Exit] a mode change still runs after %lu ms; the process ends under it", waitMs);
        AbandonModeChanges();
    }
    return settled;
}

// No saving mode's quiet curve or stopped chassis fan outlives the program,
// whatever a change still in flight was doing. The calling thread keeps the
// Super-I/O lock from here on, so the process never ends in the middle of an
// access sequence of another thread (which would leave the chip half
// programmed and the other users of the lock waiting for it).
void HandFansBack(DWORD waitMs)
{
    kelp::SioLock& lock = kelp::SioLock::Instance();
    if (!lock.KeepForThisThread(waitMs)) {
        Trace("~~~[Exit] the fan chip stays busy after %lu ms; the fans are left as they are", waitMs);
        return;
    }
    if (FansTakenOver())
        ApplyModeFanProfile(GearLevel::HighPerformance);
}

bool PrepareExit(HWND window)
{
    const bool settled = EndWorkInFlight(kExitWaitMs);
    // A sequence that has the lock may still wait that long for the shared
    // objects, and then needs a moment for its accesses.
    HandFansBack(kelp::SioLock::Instance().LongestSequenceWaitMs() + kExitWaitMs);
    kelp::SetItem(kelp::BiosItemId::kGearLevel, 0);
    UnregisterServiceNotify(window);
    AdvanceSettings& settings = AdvanceSettings::Instance();
    settings.ClearCalibration_Flag();
    settings.ClearGear_Flag();
    CpuPowerMonitor::Instance().Ledger().Save();
    return settled;
}
