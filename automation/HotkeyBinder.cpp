#include "automation/HotkeyBinder.h"

#include "framework/system/Trace.h"

namespace automation {
namespace {

// Keeping the keys down repeats no hotkey. Ignored by systems before
// Windows 7, which repeat.
constexpr UINT kNoRepeat = 0x4000;  // MOD_NOREPEAT

HotkeyState Verdict(const Hotkey& hotkey)
{
    if (!hotkey.enabled)
        return HotkeyState::Off;
    return hotkey.IsActive() ? HotkeyState::Registered : HotkeyState::Invalid;
}

} // namespace

void HotkeyBinder::Bind(const AutomationSettings& settings)
{
    UnbindAll();
    for (size_t i = 0; i < kHotkeyCount; ++i) {
        const Hotkey& hotkey = settings.hotkeys[i];
        states_[i] = Verdict(hotkey);
        if (states_[i] != HotkeyState::Registered)
            continue;
        if (RegisterHotKey(window_, kFirstId + int(i), hotkey.modifiers | kNoRepeat, hotkey.key)) {
            bound_[i] = hotkey;
        } else {
            states_[i] = HotkeyState::Taken;
            Trace("~~~[Automation] hotkey %s (%x+%x) is taken: %lu", ActionName(HotkeyAction(i)),
                  unsigned(hotkey.modifiers), unsigned(hotkey.key), GetLastError());
        }
    }
}

void HotkeyBinder::UnbindAll()
{
    for (size_t i = 0; i < kHotkeyCount; ++i) {
        if (states_[i] == HotkeyState::Registered)
            UnregisterHotKey(window_, kFirstId + int(i));
        states_[i] = HotkeyState::Off;
        bound_[i] = {};
    }
}

HotkeyState HotkeyBinder::Probe(const Hotkey& hotkey) const
{
    Hotkey checked = hotkey;
    checked.enabled = true;
    AutomationSettings alone;
    alone.hotkeys[0] = checked;
    Validate(alone);
    if (!alone.hotkeys[0].IsActive())
        return HotkeyState::Invalid;
    for (size_t i = 0; i < kHotkeyCount; ++i)
        if (states_[i] == HotkeyState::Registered && bound_[i].SameCombination(checked))
            return HotkeyState::Registered;
    if (!RegisterHotKey(window_, kProbeId, checked.modifiers | kNoRepeat, checked.key))
        return HotkeyState::Taken;
    UnregisterHotKey(window_, kProbeId);
    return HotkeyState::Registered;
}

std::optional<HotkeyAction> HotkeyBinder::ActionOf(WPARAM id)
{
    if (id < WPARAM(kFirstId) || id >= WPARAM(kFirstId) + kHotkeyCount)
        return std::nullopt;
    return HotkeyAction(id - kFirstId);
}

} // namespace automation
