#pragma once
// The running automation: loads the settings, registers the hotkeys on the
// main window, and on each of the window's 5-second ticks asks the arbiter
// who holds the mode (program rules are looked up only when one exists).
// Every mode it wants goes through Request(), the one place where the
// automation asks for a mode. Main thread only.

#include "automation/AutomationService.h"
#include "automation/HotkeyBinder.h"
#include "automation/ModeArbiter.h"
#include "engine/ModeChangeCause.h"

#include <windows.h>

#include <functional>
#include <string>

namespace automation {

// What the automation needs of the program.
class AutomationHost {
public:
    virtual ~AutomationHost() = default;
    virtual int CurrentLevel() = 0;
    // No mode change, calibration, question or settings form is under way.
    virtual bool IsSettled() = 0;
    // Starts the change without asking anybody: the refusals of the control
    // command and the Auto checks with nobody to answer. False with the
    // refusal's text when refused.
    virtual bool ApplyUnasked(int level, std::string& refusal) = 0;
    // The way a click on the dial goes: the window's refusals, then, with
    // the window shown, the dial's checks, questions and animation; with it
    // hidden, the checks unasked and a balloon of the new mode. False when
    // the change was not started (`refusal` says why, "" when the user said no).
    virtual bool SelectAsDial(int level, std::string& refusal) = 0;
    virtual void Balloon(const std::string& text) = 0;
    // Why the mode holds ("Turbo, for render.exe"), "" when nothing of the
    // automation holds it: the tray tip and the window's status line.
    virtual void ShowHold(const std::string& text) = 0;
};

// The day of the week (0 = Sunday) and the minute of it, local time.
using WeekClock = std::function<int()>;
int LocalMinuteOfWeek();

class AutomationEngine final : public AutomationService {
public:
    AutomationEngine(HWND window, AutomationHost& host, WeekClock clock = LocalMinuteOfWeek);

    // Loads the stored settings and registers the hotkeys.
    void Start();
    // The window's 5-second tick.
    void Tick();
    // WM_HOTKEY; true when it was one of the automation's.
    bool OnHotkey(WPARAM id);
    // Why the mode holds, as ShowHold has it; "" when nothing automatic.
    const std::string& HoldText() const { return holdText_; }
    Source Holder() const { return arbiter_.Holder(); }

    // AutomationService
    const AutomationSettings& Settings() const override { return settings_; }
    bool Commit(AutomationSettings settings) override;
    void Reload() override;
    void SuspendHotkeys(bool suspended) override;
    HotkeyState StateOf(HotkeyAction action) const override { return hotkeys_.StateOf(action); }
    HotkeyState Probe(const Hotkey& hotkey) override { return hotkeys_.Probe(hotkey); }
    Hold CurrentHold() const override;

private:
    // The one place where the automation asks for a mode. Hotkeys go the
    // dial's way; rules and the schedule are never asked about.
    bool Request(int level, ModeChangeCause cause, std::string& refusal);
    void Take(AutomationSettings settings);
    void Decide();
    void SetHold(const Source& source, int level);
    std::string SourceName(const Source& source) const;

    HWND window_;
    AutomationHost& host_;
    WeekClock clock_;
    AutomationSettings settings_;
    HotkeyBinder hotkeys_;
    ModeArbiter arbiter_;
    std::string holdText_;
    bool hotkeysSuspended_ = false;
};

} // namespace automation
