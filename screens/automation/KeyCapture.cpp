#include "screens/automation/KeyCapture.h"

#include <windows.h>

namespace automationpage {

namespace {

bool IsModifierKey(unsigned key)
{
    switch (key) {
    case VK_SHIFT: case VK_LSHIFT: case VK_RSHIFT:
    case VK_CONTROL: case VK_LCONTROL: case VK_RCONTROL:
    case VK_MENU: case VK_LMENU: case VK_RMENU:
    case VK_LWIN: case VK_RWIN:
        return true;
    default:
        return false;
    }
}

bool IsFunctionKey(unsigned key) { return key >= VK_F1 && key <= VK_F24; }

std::string ModifierPrefix(unsigned modifiers, const ModifierNames& names)
{
    std::string text;
    const std::pair<unsigned, const std::string*> order[] = {
        {kModControl, &names.ctrl}, {kModAlt, &names.alt}, {kModShift, &names.shift}, {kModWin, &names.win}};
    for (auto [bit, name] : order)
        if (modifiers & bit)
            text += *name + '+';
    return text;
}

} // namespace

std::string KeyName(unsigned key)
{
    if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9'))
        return std::string(1, char(key));
    if (IsFunctionKey(key))
        return "F" + std::to_string(key - VK_F1 + 1);
    if (key >= VK_NUMPAD0 && key <= VK_NUMPAD9)
        return "Num " + std::to_string(key - VK_NUMPAD0);
    switch (key) {
    case VK_SPACE: return "Space";
    case VK_PRIOR: return "PageUp";
    case VK_NEXT: return "PageDown";
    case VK_END: return "End";
    case VK_HOME: return "Home";
    case VK_LEFT: return "Left";
    case VK_UP: return "Up";
    case VK_RIGHT: return "Right";
    case VK_DOWN: return "Down";
    case VK_INSERT: return "Insert";
    case VK_DELETE: return "Delete";
    case VK_BACK: return "Backspace";
    case VK_PAUSE: return "Pause";
    case VK_MULTIPLY: return "Num *";
    case VK_ADD: return "Num +";
    case VK_SUBTRACT: return "Num -";
    case VK_DECIMAL: return "Num .";
    case VK_DIVIDE: return "Num /";
    case VK_OEM_1: return ";";
    case VK_OEM_PLUS: return "=";
    case VK_OEM_COMMA: return ",";
    case VK_OEM_MINUS: return "-";
    case VK_OEM_PERIOD: return ".";
    case VK_OEM_2: return "/";
    case VK_OEM_3: return "`";
    case VK_OEM_4: return "[";
    case VK_OEM_5: return "\\";
    case VK_OEM_6: return "]";
    case VK_OEM_7: return "'";
    default:
        return {};
    }
}

std::string CombinationText(const KeyCombination& combination, const ModifierNames& names)
{
    const std::string key = KeyName(combination.key);
    if (key.empty())
        return {};
    return ModifierPrefix(combination.modifiers, names) + key;
}

std::string KeyCapture::HeldText(unsigned held, const ModifierNames& names)
{
    return ModifierPrefix(held, names);
}

KeyCapture::Outcome KeyCapture::KeyDown(unsigned key, unsigned held)
{
    if (IsModifierKey(key))
        return Outcome::Held;
    const bool strong = held & (kModControl | kModAlt | kModWin);
    if (!strong) {
        // Shift+Tab goes back as Tab goes on.
        if (key == VK_TAB || key == VK_RETURN || key == VK_ESCAPE)
            return Outcome::PassOn;
        if ((key == VK_BACK || key == VK_DELETE) && !(held & kModShift))
            return Outcome::Cleared;
    }
    if (KeyName(key).empty())
        return Outcome::NeedsModifier;
    // Without Ctrl, Alt or Win a global hotkey would take the key from every
    // program's typing; the function keys are rarely typed and may go alone.
    if (!strong && !IsFunctionKey(key))
        return Outcome::NeedsModifier;
    result_ = {held & (kModAlt | kModControl | kModShift | kModWin), key};
    return Outcome::Taken;
}

} // namespace automationpage
