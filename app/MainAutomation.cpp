#include "app/MainAutomation.h"

#include "app/ConsoleControl.h"
#include "app/MainControlHost.h"
#include "app/MainForm.h"
#include "app/TrayController.h"
#include "automation/AutomationEngine.h"
#include "framework/system/ProcessWide.h"
#include "kelp/System/Language.h"
#include "policy/Policies.h"
#include "screens/geardial/DialModes.h"

#include <optional>

using kelp::control::Reason;

namespace {

// The refusal's words for a balloon; the control command's own texts talk
// of its options.
std::string RefusalText(Reason reason)
{
    switch (reason) {
    case Reason::None:
    case Reason::Busy:
    // The policy's refusal has shown its own balloon.
    case Reason::Managed:
        return {};
    case Reason::Overclocked:
        return kelp::Translate("CannotLaunchOverclocking");
    case Reason::ConflictingUtility:
        return kelp::Translate("AutomationConflict");
    default:
        return kelp::Translate("AutomationAutoRefused");
    }
}

class MainAutomationHost final : public automation::AutomationHost {
public:
    explicit MainAutomationHost(TMainForm& window) : window_(window), control_(window), checks_(control_) {}

    int CurrentLevel() override { return control_.CurrentLevel(); }

    bool IsSettled() override
    {
        // The delayed start-up restore is still to put the last mode back.
        return !window_.InitGearModeTimer->Enabled() && control_.IsModeSettled() && !control_.IsDialogShown() &&
               checks_.Blocker() != Reason::Busy;
    }

    bool ApplyUnasked(int level, std::string& refusal) override
    {
        if (AutomationManaged(refusal))
            return false;
        const Reason reason = checks_.Refusal(level, false);
        if (reason != Reason::None) {
            refusal = RefusalText(reason);
            return false;
        }
        control_.StopStartupRestore();
        control_.SetMode(level);
        return true;
    }

    bool SelectAsDial(int level, std::string& refusal) override
    {
        if (AutomationManaged(refusal))
            return false;
        if (!window_.Visible()) {
            if (!ApplyUnasked(level, refusal))
                return false;
            Balloon(kelp::Translate("Mode") + ": " + kelp::Translate(LevelToNameKey(level)));
            return true;
        }
        if (const Reason reason = checks_.Blocker(); reason != Reason::None) {
            refusal = RefusalText(reason);
            return false;
        }
        window_.Dial().Select(level);
        // A refused or unanswered Auto leaves the dial on the mode in force.
        return window_.Dial().ShownIndex() == geardial::DialIndexOf(level);
    }

    void Balloon(const std::string& text) override { TrayController::Instance().ShowBalloon(text); }

    void ShowHold(const std::string& text) override
    {
        TrayController::Instance().SetHoldText(text);
        window_.Dial().SetHoldNote(text);
    }

private:
    // An organisation's policy switches the automation off: hotkeys, rules
    // and the schedule change no mode.
    static bool AutomationManaged(std::string& refusal)
    {
        if (!policy::CurrentPolicies().AutomationOff())
            return false;
        refusal = kelp::Translate("PolicyManaged");
        return true;
    }

    TMainForm& window_;
    MainControlHost control_;
    ConsoleControl checks_;
};

struct MainAutomationParts {
    explicit MainAutomationParts(TMainForm& window) : host(window), engine(window.Handle(), host) {}
    MainAutomationHost host;
    automation::AutomationEngine engine;
};

std::optional<ProcessWide<MainAutomationParts>>& Parts()
{
    static std::optional<ProcessWide<MainAutomationParts>> parts;
    return parts;
}

} // namespace

automation::AutomationEngine& StartMainAutomation(TMainForm& window)
{
    if (!Parts()) {
        Parts().emplace(window);
        automation::AutomationEngine& engine = (**Parts()).engine;
        automation::PlugAutomation(&engine);
        engine.Start();
    }
    return (**Parts()).engine;
}

automation::AutomationEngine* MainAutomation()
{
    return Parts() ? &(**Parts()).engine : nullptr;
}
