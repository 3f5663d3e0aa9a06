#pragma once
// The capture of a key combination in a hotkey field: the keys the user
// presses are followed until a combination a global hotkey can take is
// complete, and a combination is written as a text like "Ctrl+Alt+T".
// Plain C++: the field hands in virtual-key codes and the modifier keys held.

#include "automation/AutomationSettings.h"

#include <string>

namespace automationpage {

using automation::kModAlt;
using automation::kModControl;
using automation::kModShift;
using automation::kModWin;

struct KeyCombination {
    unsigned modifiers = 0;  // automation::HotkeyModifier bits
    unsigned key = 0;        // virtual-key code; 0: no combination
    bool Empty() const { return key == 0; }
    bool operator==(const KeyCombination&) const = default;
};

// The words of the modifier keys in the user's language ("Strg" on German
// keyboards); the other keys are written as their keycaps show them.
struct ModifierNames {
    std::string ctrl = "Ctrl", alt = "Alt", shift = "Shift", win = "Win";
};

// "Ctrl+Alt+T"; the modifiers in the order Ctrl, Alt, Shift, Win. Empty for
// an empty combination or a key without a name.
std::string CombinationText(const KeyCombination& combination, const ModifierNames& names = {});
// The keycap name of a virtual key that may end a combination ("T", "F5",
// "Num 7", "PageUp"); empty when the key is a modifier or cannot be used.
std::string KeyName(unsigned key);

class KeyCapture {
public:
    enum class Outcome {
        Held,      // the key is part of a combination still being pressed
        Taken,     // a combination is complete: Result() holds it
        Cleared,   // Backspace or Delete alone: the field is emptied
        NeedsModifier,  // a key that would steal ordinary typing without Ctrl, Alt or Win
        PassOn,    // Tab, Shift+Tab, Enter or Escape: the form's keyboard keys
    };

    // A key went down while `held` (kMod* bits) were pressed.
    Outcome KeyDown(unsigned key, unsigned held);
    const KeyCombination& Result() const { return result_; }
    // What the field shows while modifiers are held: "Ctrl+Alt+".
    static std::string HeldText(unsigned held, const ModifierNames& names = {});

private:
    KeyCombination result_;
};

} // namespace automationpage
