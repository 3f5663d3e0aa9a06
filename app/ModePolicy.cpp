#include "app/ModePolicy.h"

#include "app/TrayController.h"
#include "engine/CpuPowerMonitor.h"
#include "engine/ModeChangeCause.h"
#include "engine/ModeModel.h"
#include "engine/ModeRequest.h"
#include "framework/system/Trace.h"
#include "kelp/System/Language.h"
#include "policy/Policies.h"

namespace modepolicy {

const char* RefuseUserMode(int level)
{
    CpuPowerMonitor& monitor = CpuPowerMonitor::Instance();
    if (level == monitor.CurrentLevel())
        return nullptr;
    const char* refusing = policy::RefusingPolicy(policy::CurrentPolicies(), level);
    if (!refusing)
        return nullptr;
    Trace("~~~[Policy] %s refused by %s", policy::PolicyModeName(level), refusing);
    TrayController::Instance().ShowNotice(kelp::Translate(LevelToNameKey(level)) + ": " +
                                          kelp::Translate("PolicyManaged"));
    return refusing;
}

bool EnforceForcedMode()
{
    const policy::PolicySet policies = policy::CurrentPolicies();
    if (!policies.forcedMode)
        return false;
    CpuPowerMonitor& monitor = CpuPowerMonitor::Instance();
    if (monitor.IsOverclocked() || monitor.CurrentLevel() == *policies.forcedMode)
        return false;
    Trace("~~~[Policy] forced mode %s applied", policy::PolicyModeName(*policies.forcedMode));
    CountModeChange(ModeChangeCause::Policy);
    SetMode(*policies.forcedMode, true);
    return true;
}

int ResumeLevel(int suspendLevel)
{
    const policy::PolicySet policies = policy::CurrentPolicies();
    if (!policies.forcedMode || *policies.forcedMode == suspendLevel)
        return suspendLevel;
    CountModeChange(ModeChangeCause::Policy);
    return *policies.forcedMode;
}

} // namespace modepolicy
