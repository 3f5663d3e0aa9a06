#include "screens/automation/AutomationDraft.h"

#include "kelp/System/Language.h"

using namespace automation;

namespace automationpage {

namespace {

// Monday to Friday (bit 0 is Sunday).
constexpr uint8_t kWorkingDays = 0x3E;
constexpr int kNewWindowStart = 9 * 60;
constexpr int kNewWindowEnd = 17 * 60;
// Stands for a time that could not be read: outside the day, so that the
// validation calls the window's time bad.
constexpr uint16_t kNoTime = kMinutesPerDay;

int RemovedRow(size_t remaining, int row)
{
    if (remaining == 0)
        return -1;
    return row < int(remaining) ? row : int(remaining) - 1;
}

} // namespace

AutomationDraft::AutomationDraft(AutomationSettings stored) : settings_(std::move(stored))
{
    Revalidate();
}

void AutomationDraft::Revalidate()
{
    Validate(settings_);
}

void AutomationDraft::SetCombination(HotkeyAction action, uint32_t modifiers, uint32_t key)
{
    Hotkey& hotkey = settings_.HotkeyFor(action);
    hotkey.modifiers = key ? modifiers : 0;
    hotkey.key = key;
    hotkey.enabled = key != 0;
    Revalidate();
}

void AutomationDraft::SetHotkeyEnabled(HotkeyAction action, bool enabled)
{
    settings_.HotkeyFor(action).enabled = enabled;
    Revalidate();
}

int AutomationDraft::AddRule(int level)
{
    ProgramRule rule;
    rule.level = level;
    settings_.rules.push_back(rule);
    Revalidate();
    return int(settings_.rules.size()) - 1;
}

void AutomationDraft::SetRuleProgram(int row, const std::string& program)
{
    if (!HasRule(row))
        return;
    settings_.rules[row].program = program;
    Revalidate();
}

void AutomationDraft::SetRuleLevel(int row, int level)
{
    if (!HasRule(row))
        return;
    settings_.rules[row].level = level;
    Revalidate();
}

int AutomationDraft::RemoveRule(int row)
{
    if (!HasRule(row))
        return RemovedRow(settings_.rules.size(), row);
    settings_.rules.erase(settings_.rules.begin() + row);
    Revalidate();
    return RemovedRow(settings_.rules.size(), row);
}

int AutomationDraft::AddWindow(int level)
{
    ScheduleWindow window;
    window.days = kWorkingDays;
    window.start = kNewWindowStart;
    window.end = kNewWindowEnd;
    window.level = level;
    settings_.windows.push_back(window);
    Revalidate();
    return int(settings_.windows.size()) - 1;
}

void AutomationDraft::SetWindowDays(int row, uint8_t days)
{
    if (!HasWindow(row))
        return;
    settings_.windows[row].days = days;
    Revalidate();
}

void AutomationDraft::SetWindowStart(int row, std::optional<int> minute)
{
    if (!HasWindow(row))
        return;
    settings_.windows[row].start = minute ? uint16_t(*minute) : kNoTime;
    Revalidate();
}

void AutomationDraft::SetWindowEnd(int row, std::optional<int> minute)
{
    if (!HasWindow(row))
        return;
    settings_.windows[row].end = minute ? uint16_t(*minute) : kNoTime;
    Revalidate();
}

void AutomationDraft::SetWindowLevel(int row, int level)
{
    if (!HasWindow(row))
        return;
    settings_.windows[row].level = level;
    Revalidate();
}

int AutomationDraft::RemoveWindow(int row)
{
    if (!HasWindow(row))
        return RemovedRow(settings_.windows.size(), row);
    settings_.windows.erase(settings_.windows.begin() + row);
    Revalidate();
    return RemovedRow(settings_.windows.size(), row);
}

std::optional<DraftProblem> AutomationDraft::FirstProblem() const
{
    for (size_t i = 0; i < settings_.hotkeys.size(); ++i) {
        // The validation leaves switched-off hotkeys without a problem:
        // they are stored as they are, and nothing registers them.
        const Hotkey& hotkey = settings_.hotkeys[i];
        if (hotkey.problem != HotkeyProblem::None)
            return DraftProblem{Tab::Hotkeys, int(i), HotkeyProblemKey(hotkey.problem)};
    }
    for (size_t i = 0; i < settings_.rules.size(); ++i)
        if (!settings_.rules[i].IsValid())
            return DraftProblem{Tab::Programs, int(i), RuleProblemKey(settings_.rules[i].problem)};
    for (size_t i = 0; i < settings_.windows.size(); ++i)
        if (!settings_.windows[i].IsValid())
            return DraftProblem{Tab::Schedule, int(i), WindowProblemKey(settings_.windows[i].problem)};
    return std::nullopt;
}

const char* HotkeyProblemKey(HotkeyProblem problem)
{
    switch (problem) {
    case HotkeyProblem::None:
        return nullptr;
    case HotkeyProblem::NoKey:
        return LANG_KEY("AutomationKeyMissing");
    case HotkeyProblem::BadKey:
    case HotkeyProblem::BadModifiers:
        return LANG_KEY("AutomationKeyUnusable");
    case HotkeyProblem::NeedsModifier:
        return LANG_KEY("AutomationKeyNeedsModifier");
    case HotkeyProblem::Duplicate:
        return LANG_KEY("AutomationKeyTwice");
    }
    return LANG_KEY("AutomationKeyUnusable");
}

const char* RuleProblemKey(RuleProblem problem)
{
    switch (problem) {
    case RuleProblem::None:
        return nullptr;
    case RuleProblem::EmptyProgram:
        return LANG_KEY("AutomationProgramMissing");
    case RuleProblem::ProgramTooLong:
        return LANG_KEY("AutomationProgramTooLong");
    case RuleProblem::BadProgram:
        return LANG_KEY("AutomationProgramBad");
    case RuleProblem::UnknownMode:
        return LANG_KEY("AutomationModeUnknown");
    case RuleProblem::Duplicate:
        return LANG_KEY("AutomationProgramTwice");
    case RuleProblem::TooMany:
        return LANG_KEY("AutomationTooManyRules");
    }
    return LANG_KEY("AutomationProgramBad");
}

const char* WindowProblemKey(WindowProblem problem)
{
    switch (problem) {
    case WindowProblem::None:
        return nullptr;
    case WindowProblem::NoDays:
        return LANG_KEY("AutomationNoDays");
    case WindowProblem::BadTime:
        return LANG_KEY("AutomationBadTime");
    case WindowProblem::Empty:
        return LANG_KEY("AutomationEmptyWindow");
    case WindowProblem::UnknownMode:
        return LANG_KEY("AutomationModeUnknown");
    case WindowProblem::Overlaps:
        return LANG_KEY("AutomationOverlaps");
    case WindowProblem::TooMany:
        return LANG_KEY("AutomationTooManyWindows");
    }
    return LANG_KEY("AutomationBadTime");
}

} // namespace automationpage
