#pragma once
// A scripted host for the automation page and a few stored settings worth
// showing: hotkeys for Turbo, Max Power Saving and the next mode (one of
// them held by another program), three program rules (one not valid) and
// three schedule windows (one overlapping).

#include "engine/ModeModel.h"
#include "screens/automation/AutomationPageHost.h"

#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace automationtest {

inline automation::AutomationSettings SampleSettings()
{
    using namespace automation;
    AutomationSettings settings;
    settings.HotkeyFor(HotkeyAction::Turbo) = {true, kModControl | kModAlt, 'T'};
    settings.HotkeyFor(HotkeyAction::MaxSaving) = {true, kModControl | kModAlt, 'M'};
    settings.HotkeyFor(HotkeyAction::NextMode) = {true, kModWin | kModShift, 0x77 /* F8 */};
    settings.rules = {{"render.exe", GearLevel::Turbo},
                      {"C:\\Program Files\\Studio\\studio64.exe", GearLevel::HighPerformance},
                      {"C:bad|name.exe", GearLevel::MaxSaving}};
    ScheduleWindow work;
    work.days = 0x3E;
    work.start = 9 * 60;
    work.end = 17 * 60 + 30;
    work.level = GearLevel::Auto;
    ScheduleWindow night = work;
    night.days = 0x7F;
    night.start = 23 * 60;
    night.end = 6 * 60;
    night.level = GearLevel::MaxSaving;
    ScheduleWindow lunch = work;
    lunch.days = 0x02;
    lunch.start = 12 * 60;
    lunch.end = 13 * 60;
    lunch.level = GearLevel::MediumSaving;
    settings.windows = {work, night, lunch};
    Validate(settings);
    return settings;
}

class FakeHost final : public automationpage::AutomationPageHost {
public:
    automation::AutomationSettings Load() override { return stored; }
    bool Save(const automation::AutomationSettings& settings) override
    {
        ++saves;
        if (saveFails)
            return false;
        stored = settings;
        return true;
    }
    bool IsTaken(automation::HotkeyAction, const automation::Hotkey& hotkey) override
    {
        return taken.count({hotkey.modifiers, hotkey.key}) != 0;
    }
    void SuspendHotkeys(bool now) override { suspended = now; }
    std::optional<std::string> AskProgram() override { return picked; }

    automation::AutomationSettings stored = SampleSettings();
    // Ctrl+Alt+M is held by another program.
    std::set<std::pair<uint32_t, uint32_t>> taken = {{automation::kModControl | automation::kModAlt, 'M'}};
    std::optional<std::string> picked;
    bool saveFails = false;
    bool suspended = false;
    int saves = 0;
};

} // namespace automationtest
