// The page's working copy: edits are validated at once, the stored
// settings it started from stay as they were, and OK is held back by the
// first entry that is not valid, in tab and row order.

#include "screens/automation/AutomationDraft.h"

#include "engine/ModeModel.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace automation;
using namespace automationpage;

namespace {

ScheduleWindow Window(uint8_t days, int start, int end, int level)
{
    ScheduleWindow window;
    window.days = days;
    window.start = uint16_t(start);
    window.end = uint16_t(end);
    window.level = level;
    return window;
}

void ExpectProblem(const AutomationDraft& draft, Tab tab, int row, const char* key)
{
    const std::optional<DraftProblem> problem = draft.FirstProblem();
    ASSERT_TRUE(problem);
    EXPECT_EQ(problem->tab, tab);
    EXPECT_EQ(problem->row, row);
    EXPECT_STREQ(problem->messageKey, key);
}

} // namespace

TEST(AutomationDraft, HotkeysAreSwitchedOnBySettingAndOffByClearing)
{
    AutomationDraft draft({});
    EXPECT_FALSE(draft.FirstProblem()) << "nothing set is nothing wrong";
    draft.SetCombination(HotkeyAction::Turbo, kModControl | kModAlt, 'T');
    const Hotkey& turbo = draft.Settings().HotkeyFor(HotkeyAction::Turbo);
    EXPECT_TRUE(turbo.IsActive());
    EXPECT_EQ(turbo.modifiers, uint32_t(kModControl | kModAlt));

    // The same combination for the next mode: the later one is the duplicate.
    draft.SetCombination(HotkeyAction::NextMode, kModControl | kModAlt, 'T');
    ExpectProblem(draft, Tab::Hotkeys, int(HotkeyAction::NextMode), "AutomationKeyTwice");
    // Switched off it is kept as it is and holds nothing back.
    draft.SetHotkeyEnabled(HotkeyAction::NextMode, false);
    EXPECT_FALSE(draft.FirstProblem());
    EXPECT_EQ(draft.Settings().HotkeyFor(HotkeyAction::NextMode).key, uint32_t('T'));

    // Cleared: no key, no modifiers, off.
    draft.SetCombination(HotkeyAction::Turbo, kModControl, 0);
    EXPECT_FALSE(draft.Settings().HotkeyFor(HotkeyAction::Turbo).enabled);
    EXPECT_EQ(draft.Settings().HotkeyFor(HotkeyAction::Turbo).modifiers, 0u);
    // Switched on without a key.
    draft.SetHotkeyEnabled(HotkeyAction::Auto, true);
    ExpectProblem(draft, Tab::Hotkeys, int(HotkeyAction::Auto), "AutomationKeyMissing");
}

TEST(AutomationDraft, ProgramRulesAreAddedEditedAndRemoved)
{
    AutomationSettings stored;
    stored.rules.push_back({"render.exe", GearLevel::Turbo});
    AutomationDraft draft(stored);
    const int row = draft.AddRule(GearLevel::MaxSaving);
    EXPECT_EQ(row, 1);
    ExpectProblem(draft, Tab::Programs, 1, "AutomationProgramMissing");
    draft.SetRuleProgram(row, "RENDER.EXE");
    ExpectProblem(draft, Tab::Programs, 1, "AutomationProgramTwice");
    draft.SetRuleProgram(row, "C:\\Games\\bad|name.exe");
    ExpectProblem(draft, Tab::Programs, 1, "AutomationProgramBad");
    draft.SetRuleProgram(row, "C:\\Games\\game.exe");
    EXPECT_FALSE(draft.FirstProblem());
    draft.SetRuleLevel(row, GearLevel::Unknown);
    ExpectProblem(draft, Tab::Programs, 1, "AutomationModeUnknown");
    draft.SetRuleLevel(row, GearLevel::Auto);
    EXPECT_EQ(draft.Settings().rules[1].level, GearLevel::Auto);

    // Rows that are not there are left alone.
    draft.SetRuleProgram(7, "x.exe");
    draft.SetRuleLevel(-1, GearLevel::Turbo);
    EXPECT_EQ(draft.Settings().rules.size(), 2u);

    // Removing the last row chooses the one before; removing the only one, none.
    EXPECT_EQ(draft.RemoveRule(1), 0);
    EXPECT_EQ(draft.RemoveRule(0), -1);
    EXPECT_TRUE(draft.Settings().rules.empty());
    EXPECT_EQ(stored.rules.size(), 1u) << "the stored settings are a copy";
}

TEST(AutomationDraft, StoredEntriesThatAreNotValidAreShownAsSuchAndHoldOkBack)
{
    AutomationSettings stored;
    stored.rules.push_back({"ok.exe", GearLevel::MediumSaving});
    stored.rules.push_back({"", GearLevel::Turbo});
    stored.windows.push_back(Window(0x3E, 9 * 60, 17 * 60, GearLevel::HighPerformance));
    stored.windows.push_back(Window(0x02, 12 * 60, 13 * 60, GearLevel::MaxSaving));
    AutomationDraft draft(stored);
    EXPECT_EQ(draft.Settings().rules[1].problem, RuleProblem::EmptyProgram);
    EXPECT_EQ(draft.Settings().windows[1].problem, WindowProblem::Overlaps);
    // The programs come before the schedule.
    ExpectProblem(draft, Tab::Programs, 1, "AutomationProgramMissing");
    draft.RemoveRule(1);
    ExpectProblem(draft, Tab::Schedule, 1, "AutomationOverlaps");
    // Moved to the evening, the window no longer overlaps.
    draft.SetWindowStart(1, 18 * 60);
    draft.SetWindowEnd(1, 19 * 60);
    EXPECT_FALSE(draft.FirstProblem());
}

TEST(AutomationDraft, ScheduleWindowsTakeWhatIsTypedAndNameTheirProblems)
{
    AutomationDraft draft({});
    const int row = draft.AddWindow(GearLevel::MaxSaving);
    const ScheduleWindow& window = draft.Settings().windows[row];
    EXPECT_EQ(window.days, 0x3E) << "a new window covers the working days";
    EXPECT_EQ(window.start, 9 * 60);
    EXPECT_EQ(window.end, 17 * 60);
    EXPECT_EQ(window.level, GearLevel::MaxSaving);
    EXPECT_FALSE(draft.FirstProblem());

    draft.SetWindowStart(row, std::nullopt);
    ExpectProblem(draft, Tab::Schedule, row, "AutomationBadTime");
    draft.SetWindowStart(row, 17 * 60);
    ExpectProblem(draft, Tab::Schedule, row, "AutomationEmptyWindow");
    // Past midnight is a window of its own.
    draft.SetWindowStart(row, 22 * 60);
    draft.SetWindowEnd(row, 7 * 60);
    EXPECT_FALSE(draft.FirstProblem());
    draft.SetWindowDays(row, 0);
    ExpectProblem(draft, Tab::Schedule, row, "AutomationNoDays");
    draft.SetWindowDays(row, 0x41);
    draft.SetWindowLevel(row, 77);
    ExpectProblem(draft, Tab::Schedule, row, "AutomationModeUnknown");
    draft.SetWindowLevel(row, GearLevel::Turbo);

    // A second window on Saturday night overlaps the first one's hours.
    const int second = draft.AddWindow(GearLevel::Auto);
    draft.SetWindowDays(second, 0x40);
    draft.SetWindowStart(second, 23 * 60);
    draft.SetWindowEnd(second, 23 * 60 + 30);
    ExpectProblem(draft, Tab::Schedule, second, "AutomationOverlaps");
    EXPECT_EQ(draft.RemoveWindow(0), 0);
    EXPECT_FALSE(draft.FirstProblem()) << "the window it overlapped is gone";
}
