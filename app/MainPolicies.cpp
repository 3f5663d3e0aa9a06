#include "app/MainPolicies.h"

#include "app/MainSkin.h"
#include "app/ModePolicy.h"
#include "app/StartupRestore.h"
#include "app/TrayController.h"
#include "engine/ModeChangeCause.h"
#include "framework/system/Trace.h"
#include "kelp/System/Language.h"

namespace {

void Manage(VtControl* control, bool managed, const std::string& hint)
{
    if (!control)
        return;
    control->SetManaged(managed, hint);
    control->OnManagedClick = [hint](TObject*) { TrayController::Instance().ShowNotice(hint); };
}

} // namespace

MainPolicies::MainPolicies(MainSkin& skin, StartupRestore& restore)
    : skin_(skin), restore_(restore), watch_([] { policy::RefreshPolicies(); })
{
    policy::PlugPolicyListener(this);
}

MainPolicies::~MainPolicies()
{
    policy::UnplugPolicyListener(this);
}

void MainPolicies::StartUp()
{
    ApplyForcedMode();
    ShowManaged();
}

void MainPolicies::PoliciesChanged(const policy::PolicySet&)
{
    ApplyForcedMode();
    ShowManaged();
    // The icon, the balloon and the dial show the mode in force.
    TrayController::Instance().RefreshIcon();
}

void MainPolicies::ApplyForcedMode()
{
    const policy::PolicySet policies = policy::CurrentPolicies();
    int pending = 0;
    if (policies.forcedMode && restore_.IsPending(pending)) {
        // The delayed restore keeps its time and puts the forced mode in
        // place of the last one: the start-up order stays as it is.
        if (pending != *policies.forcedMode) {
            Trace("~~~[Policy] start-up restore sets the forced mode %s", policy::PolicyModeName(*policies.forcedMode));
            restore_.SetPendingLevel(*policies.forcedMode);
            CountModeChange(ModeChangeCause::Policy);
        }
        return;
    }
    modepolicy::EnforceForcedMode();
}

void MainPolicies::ShowManaged()
{
    const policy::PolicySet policies = policy::CurrentPolicies();
    const std::string hint = kelp::Translate("PolicyManaged");
    for (VtRadioButton* button : skin_.DialParts().modeButtons) {
        if (!button)
            continue;
        const int level = int(button->Tag());
        button->SetManaged(!policies.AllowsLevel(level), hint);
        // The refusal names the mode and goes the way every request goes.
        button->OnManagedClick = [level](TObject*) { modepolicy::RefuseUserMode(level); };
    }
    Manage(skin_.DialParts().moreSetting, policies.AdvancedSettingsOff(), hint);
    Manage(skin_.DialParts().calibrate, policies.CalibrationOff(), hint);
}
