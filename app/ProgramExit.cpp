#include "app/ProgramExit.h"

#include "app/SystemServiceNotify.h"
#include "engine/AdvanceSettings.h"
#include "engine/ModeExtras.h"
#include "engine/ModeModel.h"
#include "engine/ModeRequest.h"
#include "hw/SioLock.h"
#include "framework/system/Trace.h"
#include "kelp/vantor/BiosInterface.h"
#include "kelp/vantor/BiosItems.h"

namespace {

// The program leaves the fans as High Performance has them, whatever a
// change still in flight was doing: no saving mode's quiet curve or
// stopped chassis fan outlives it. The exit's thread keeps the Super-I/O
// lock from here on, so the process never ends in the middle of an access
// sequence of another thread (which would leave the chip half programmed
// and the other users of the lock waiting for it).
void HandFansBack()
{
    kelp::SioLock& lock = kelp::SioLock::Instance();
    // A sequence that has the lock may still wait that long for the
    // shared objects, and then needs a moment for its accesses.
    const DWORD waitMs = lock.LongestSequenceWaitMs() + kExitWaitMs;
    if (!lock.KeepForThisThread(waitMs)) {
        Trace("~~~[Exit] the fan chip stays busy after %lu ms; the fans are left as they are", waitMs);
        return;
    }
    if (FansTakenOver())
        ApplyModeFanProfile(GearLevel::HighPerformance);
}

} // namespace

bool PrepareExit(HWND window)
{
    // A calibration cut short by the exit restores its level through the
    // mode engine: that change would outlive the program.
    CloseModeChanges();
    const bool settled = WaitForModeChange(kExitWaitMs);
    if (!settled) {
        Trace("~~~[Exit] a mode change still runs after %lu ms; the process ends under it", kExitWaitMs);
        AbandonModeChanges();
    }
    HandFansBack();
    kelp::SetItem(kelp::BiosItemId::kGearLevel, 0);
    UnregisterServiceNotify(window);
    AdvanceSettings& settings = AdvanceSettings::Instance();
    settings.ClearCalibration_Flag();
    settings.ClearGear_Flag();
    return settled;
}
