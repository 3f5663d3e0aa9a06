#include "app/SessionEnd.h"

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

void OnEndSession(bool ending)
{
    if (!ending)
        return;
    // A session that ends normally is no crash: the next log-on may restore
    // the last mode again.
    AdvanceSettings::Instance().ClearCheckSafe_Flag();
    CpuPowerMonitor::Instance().Ledger().Save();
    ReleaseGearUnlessOverclocked(kelp::PowerGear::Instance().CheckOc());
}
