#pragma once
// The automation's global hotkeys, registered on the main window (they
// arrive as WM_HOTKEY there; no hook, no thread). Each hotkey is registered
// on its own, so that a combination another program holds is told at once
// and the others still work.

#include "automation/AutomationService.h"

#include <windows.h>

#include <array>
#include <optional>

namespace automation {

class HotkeyBinder {
public:
    // The identifiers of WM_HOTKEY: kFirstId + the action.
    static constexpr int kFirstId = 0x5A00;
    static constexpr int kProbeId = kFirstId + int(kHotkeyCount);

    explicit HotkeyBinder(HWND window) : window_(window) {}
    ~HotkeyBinder() { UnbindAll(); }
    HotkeyBinder(const HotkeyBinder&) = delete;
    HotkeyBinder& operator=(const HotkeyBinder&) = delete;

    // Registers the active hotkeys of the settings, after letting go of
    // the ones registered before.
    void Bind(const AutomationSettings& settings);
    void UnbindAll();

    HotkeyState StateOf(HotkeyAction action) const { return states_[size_t(action)]; }
    // Whether the combination could be registered now (see AutomationService).
    HotkeyState Probe(const Hotkey& hotkey) const;

    // The action of a WM_HOTKEY's identifier; nothing for another one.
    static std::optional<HotkeyAction> ActionOf(WPARAM id);

private:
    HWND window_;
    std::array<HotkeyState, kHotkeyCount> states_{};
    std::array<Hotkey, kHotkeyCount> bound_{};
};

} // namespace automation
