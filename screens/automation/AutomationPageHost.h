#pragma once
// What the automation page needs from the program: the stored settings,
// storing them on OK, whether another program holds a key combination, and
// the system's open dialog for a program. The program's own implementation
// is in app/; tests and the picture program substitute their own.

#include "automation/AutomationSettings.h"

#include <optional>
#include <string>

namespace automationpage {

class AutomationPageHost {
public:
    virtual automation::AutomationSettings Load() = 0;
    // False when the settings could not be stored.
    virtual bool Save(const automation::AutomationSettings& settings) = 0;
    // Another program holds the hotkey's combination, so it would not work
    // for the action (the program's own hotkeys do not count).
    virtual bool IsTaken(automation::HotkeyAction action, const automation::Hotkey& hotkey) = 0;
    // While a hotkey field has the focus the program lets go of its own
    // hotkeys, which would otherwise take the keys before the field.
    virtual void SuspendHotkeys(bool suspended) = 0;
    // The program the user picked, nothing when the dialog was cancelled.
    virtual std::optional<std::string> AskProgram() = 0;

protected:
    ~AutomationPageHost() = default;
};

} // namespace automationpage
