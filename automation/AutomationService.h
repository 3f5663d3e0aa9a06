#pragma once
// The running automation as the settings page and the control command see
// it: the settings in force, their change (validated, stored, applied at
// once) and the registration state of each hotkey. Main thread only.

#include "automation/AutomationSettings.h"
#include "automation/ModeArbiter.h"

#include <string>

namespace automation {

enum class HotkeyState : uint8_t {
    Off,         // switched off
    Registered,  // registered; pressing it selects its mode
    Taken,       // another program holds the combination
    Invalid,     // the combination is not one (see Hotkey::problem)
};

class AutomationService {
public:
    virtual ~AutomationService() = default;

    virtual const AutomationSettings& Settings() const = 0;
    // Validates the settings, saves them (AutomationStore::Save) and puts
    // them in force: hotkeys registered anew, rules and windows evaluated.
    // False when the registry refused them; the settings in force stay.
    virtual bool Commit(AutomationSettings settings) = 0;
    // Takes the stored settings again (after AutomationStore::Save by
    // someone else); Commit does this itself.
    virtual void Reload() = 0;
    // While a field captures a combination: the hotkeys let go of, so that
    // pressing one reaches the field; registered again on false.
    virtual void SuspendHotkeys(bool suspended) = 0;
    // The state of the hotkey in force for the action.
    virtual HotkeyState StateOf(HotkeyAction action) const = 0;
    // Whether a combination could be registered now: Taken when another
    // program holds it. A combination of the hotkeys in force counts as free.
    virtual HotkeyState Probe(const Hotkey& hotkey) = 0;

    // Who holds the mode; for a rule also its program's file name.
    struct Hold {
        HoldCause cause = HoldCause::None;
        std::string program;
    };
    virtual Hold CurrentHold() const = 0;
};

// The program's automation, plugged in when the main window starts it;
// nullptr before.
AutomationService* Automation();
void PlugAutomation(AutomationService* service);

} // namespace automation
