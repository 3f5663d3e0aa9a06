#include "app/SessionEnd.h"

#include "app/ProgramExit.h"
#include "engine/AdvanceSettings.h"
#include "engine/CpuPowerMonitor.h"
#include "kelp/vantor/BiosInterface.h"
#include "kelp/vantor/BiosItems.h"
#include "kelp/vantor/PowerGear.h"

void ReleaseGearUnlessOverclocked(bool overclocked)
{
    if (overclocked)
        return;
    kelp::SetItem(kelp::BiosItemId::kGearLevel, 0);
    kelp::SetItem(kelp::BiosItemId::kGearEnable, 0);
}

bool OnEndSession(bool ending)
{
    if (!ending)
        return true;
    // A calibration or a mode change cut off by the end of the process
    // would leave its crash guard set, and the next log-on would reset
    // every setting.
    const bool settled = EndWorkInFlight(kSessionEndWaitMs);
    // A log-off leaves the board running: its fans go back to normal, and
    // the process the system ends is not inside a fan-chip access.
    HandFansBack(kSessionEndWaitMs);
    // A session that ends normally is no crash: the next log-on may restore
    // the last mode again.
    AdvanceSettings::Instance().ClearCheckSafe_Flag();
    CpuPowerMonitor::Instance().Ledger().Save();
    ReleaseGearUnlessOverclocked(kelp::PowerGear::Instance().CheckOc());
    return settled;
}
