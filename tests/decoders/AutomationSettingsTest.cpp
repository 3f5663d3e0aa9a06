// The automation's settings: which entries are valid, and their stored
// form, which must load whatever the registry holds without harm.

#include "automation/AutomationCodec.h"

#include <gtest/gtest.h>

using namespace automation;

namespace {

ScheduleWindow Window(uint8_t days, int start, int end, int level = GearLevel::MaxSaving)
{
    ScheduleWindow window;
    window.days = days;
    window.start = uint16_t(start);
    window.end = uint16_t(end);
    window.level = level;
    return window;
}

ProgramRule Rule(const std::string& program, int level = GearLevel::Turbo)
{
    ProgramRule rule;
    rule.program = program;
    rule.level = level;
    return rule;
}

constexpr uint8_t kMonday = 1u << 1;
constexpr uint8_t kSunday = 1u << 0;
constexpr uint8_t kSaturday = 1u << 6;

TEST(AutomationSettings, ProgramsAreFileNamesOrAbsolutePaths)
{
    EXPECT_EQ(CheckProgram("render.exe"), RuleProblem::None);
    EXPECT_EQ(CheckProgram("C:\\Tools\\render.exe"), RuleProblem::None);
    EXPECT_EQ(CheckProgram("d:/games/x.exe"), RuleProblem::None);
    EXPECT_EQ(CheckProgram(""), RuleProblem::EmptyProgram);
    EXPECT_EQ(CheckProgram(std::string(kMaxProgramLength, 'a')), RuleProblem::None);
    EXPECT_EQ(CheckProgram(std::string(kMaxProgramLength + 1, 'a')), RuleProblem::ProgramTooLong);
    for (const char* bad : {"ren|der.exe", "a*.exe", "tab\there.exe", "Tools\\render.exe", "C:render.exe",
                            "C:\\Tools\\", "C:\\a\\\\b.exe", "C:\\a:b.exe", "\\\\server\\share\\x.exe"})
        EXPECT_EQ(CheckProgram(bad), RuleProblem::BadProgram) << bad;

    const ProgramRule path = Rule("C:\\Tools\\Render.EXE");
    EXPECT_TRUE(path.IsFullPath());
    EXPECT_EQ(path.FileName(), "Render.EXE");
    EXPECT_FALSE(Rule("render.exe").IsFullPath());
    EXPECT_TRUE(SameProgram("c:/tools/render.exe", "C:\\Tools\\Render.EXE"));
    EXPECT_FALSE(SameProgram("render.exe", "render.ex"));
}

TEST(AutomationSettings, LaterClashingEntriesAreTheInvalidOnes)
{
    AutomationSettings settings;
    settings.rules = {Rule("render.exe"), Rule("RENDER.EXE", GearLevel::MaxSaving), Rule("bake.exe", 7),
                      Rule("bake.exe", GearLevel::Auto)};
    Hotkey first{true, kModControl | kModAlt, 'T'};
    settings.HotkeyFor(HotkeyAction::Turbo) = first;
    settings.HotkeyFor(HotkeyAction::Auto) = first;
    settings.HotkeyFor(HotkeyAction::NextMode) = {true, kModShift, 'N'};
    settings.HotkeyFor(HotkeyAction::Medium) = {true, 0, 0x71};  // F2 alone
    settings.HotkeyFor(HotkeyAction::MaxSaving) = {true, kModShift, 0x10};
    settings.HotkeyFor(HotkeyAction::HighPerformance) = {false, 0, 0};
    Validate(settings);

    EXPECT_EQ(settings.rules[0].problem, RuleProblem::None);
    EXPECT_EQ(settings.rules[1].problem, RuleProblem::Duplicate);
    EXPECT_EQ(settings.rules[2].problem, RuleProblem::UnknownMode);
    // The invalid rule of the same program still counts as taken.
    EXPECT_EQ(settings.rules[3].problem, RuleProblem::Duplicate);
    EXPECT_TRUE(settings.HotkeyFor(HotkeyAction::Turbo).IsActive());
    EXPECT_EQ(settings.HotkeyFor(HotkeyAction::Auto).problem, HotkeyProblem::Duplicate);
    EXPECT_EQ(settings.HotkeyFor(HotkeyAction::NextMode).problem, HotkeyProblem::NeedsModifier);
    EXPECT_TRUE(settings.HotkeyFor(HotkeyAction::Medium).IsActive());
    EXPECT_EQ(settings.HotkeyFor(HotkeyAction::MaxSaving).problem, HotkeyProblem::BadKey);
    EXPECT_EQ(settings.HotkeyFor(HotkeyAction::HighPerformance).problem, HotkeyProblem::None);
    EXPECT_FALSE(settings.HotkeyFor(HotkeyAction::HighPerformance).IsActive());
}

TEST(AutomationSettings, WindowsCrossMidnightAndTheWeekEnd)
{
    // Saturday 22:00 to Sunday 07:00.
    const ScheduleWindow night = Window(kSaturday, 22 * 60, 7 * 60);
    EXPECT_EQ(night.Length(), 9 * 60);
    EXPECT_TRUE(night.Covers(MinuteOfWeek(6, 22, 0)));
    EXPECT_TRUE(night.Covers(MinuteOfWeek(0, 6, 59)));
    EXPECT_FALSE(night.Covers(MinuteOfWeek(0, 7, 0)));
    EXPECT_FALSE(night.Covers(MinuteOfWeek(6, 21, 59)));
    EXPECT_FALSE(night.Covers(MinuteOfWeek(5, 23, 0)));

    AutomationSettings settings;
    settings.windows = {night,
                        Window(kSunday, 6 * 60 + 59, 8 * 60),  // shares Sunday 06:59
                        Window(kSunday, 7 * 60, 8 * 60),       // starts where the night ends
                        Window(kMonday, 60, 60),
                        Window(0, 60, 120),
                        Window(kMonday, 60, kMinutesPerDay),
                        Window(kMonday, 60, 120, 3),
                        Window(0x80 | kMonday, 60, 120)};
    Validate(settings);
    const WindowProblem expected[] = {WindowProblem::None,   WindowProblem::Overlaps,   WindowProblem::None,
                                      WindowProblem::Empty,  WindowProblem::NoDays,     WindowProblem::BadTime,
                                      WindowProblem::UnknownMode, WindowProblem::NoDays};
    for (size_t i = 0; i < std::size(expected); ++i)
        EXPECT_EQ(settings.windows[i].problem, expected[i]) << i;
}

TEST(AutomationSettings, EntriesPastTheLimitsAreKeptButInvalid)
{
    AutomationSettings settings;
    for (size_t i = 0; i <= kMaxRules; ++i)
        settings.rules.push_back(Rule("p" + std::to_string(i) + ".exe"));
    for (size_t i = 0; i <= kMaxWindows; ++i)
        settings.windows.push_back(Window(kAllDays, int(i * 10), int(i * 10 + 5)));
    Validate(settings);
    EXPECT_TRUE(settings.rules[kMaxRules - 1].IsValid());
    EXPECT_EQ(settings.rules[kMaxRules].problem, RuleProblem::TooMany);
    EXPECT_TRUE(settings.windows[kMaxWindows - 1].IsValid());
    EXPECT_EQ(settings.windows[kMaxWindows].problem, WindowProblem::TooMany);
}

TEST(AutomationCodec, SettingsStoreAndLoadUnchanged)
{
    AutomationSettings settings;
    settings.HotkeyFor(HotkeyAction::Turbo) = {true, kModControl | kModAlt, 'T'};
    settings.HotkeyFor(HotkeyAction::NextMode) = {false, kModWin, 'N'};  // off, combination kept
    settings.rules = {Rule("render.exe"), Rule("C:\\Tools\\bake.exe", GearLevel::Auto)};
    settings.windows = {Window(kAllDays, 22 * 60, 7 * 60), Window(kMonday, 9 * 60, 12 * 60, GearLevel::Turbo)};

    unsigned problems = 1234;
    const AutomationSettings loaded = DecodeSettings(EncodeSettings(settings), problems);
    EXPECT_EQ(problems, 0u);
    for (size_t i = 0; i < kHotkeyCount; ++i) {
        EXPECT_EQ(loaded.hotkeys[i].enabled, settings.hotkeys[i].enabled) << i;
        EXPECT_TRUE(loaded.hotkeys[i].SameCombination(settings.hotkeys[i])) << i;
    }
    ASSERT_EQ(loaded.rules.size(), 2u);
    EXPECT_EQ(loaded.rules[1].program, "C:\\Tools\\bake.exe");
    EXPECT_EQ(loaded.rules[1].level, GearLevel::Auto);
    ASSERT_EQ(loaded.windows.size(), 2u);
    EXPECT_EQ(loaded.windows[0].start, 22 * 60);
    EXPECT_EQ(loaded.windows[0].end, 7 * 60);
    EXPECT_EQ(loaded.windows[1].days, kMonday);
    EXPECT_EQ(loaded.windows[1].level, GearLevel::Turbo);
    EXPECT_TRUE(loaded.rules[0].IsValid() && loaded.windows[1].IsValid());
}

TEST(AutomationCodec, GarbageLoadsAsInvalidEntriesOrNothing)
{
    StoredSettings stored;
    stored.hotkeys = "turbo=1,3,84\r\nauto=2,3,65\nnext=1,3\nwho=1,1,1\nmedium=1,99999999999,1\nmax=1,3,66,7\n";
    stored.rules = "16384|render.exe\n3|bake.exe\nnobar.exe\n|\n0|" + std::string(5000, 'x') + "\n\n";
    stored.schedule = "127|1320|420|2\n127|1440|0|2\n1|2|3\n999|1|2|0\nx|y|z|w\n";
    unsigned problems = 0;
    const AutomationSettings loaded = DecodeSettings(stored, problems);

    EXPECT_EQ(problems, unsigned(kBadLine | kUnknownHotkey | kInvalidEntry));
    EXPECT_TRUE(loaded.HotkeyFor(HotkeyAction::Turbo).IsActive());
    for (HotkeyAction off : {HotkeyAction::Auto, HotkeyAction::NextMode, HotkeyAction::Medium, HotkeyAction::MaxSaving})
        EXPECT_FALSE(loaded.HotkeyFor(off).enabled) << int(off);

    ASSERT_EQ(loaded.rules.size(), 5u);
    EXPECT_TRUE(loaded.rules[0].IsValid());
    EXPECT_EQ(loaded.rules[1].problem, RuleProblem::UnknownMode);
    EXPECT_EQ(loaded.rules[2].problem, RuleProblem::UnknownMode);
    EXPECT_EQ(loaded.rules[3].problem, RuleProblem::EmptyProgram);
    EXPECT_EQ(loaded.rules[4].problem, RuleProblem::ProgramTooLong);
    EXPECT_EQ(loaded.rules[4].program.size(), kMaxProgramLength + 1);

    ASSERT_EQ(loaded.windows.size(), 5u);
    EXPECT_TRUE(loaded.windows[0].IsValid());
    for (size_t i = 1; i < loaded.windows.size(); ++i)
        EXPECT_FALSE(loaded.windows[i].IsValid()) << i;
}

TEST(AutomationCodec, OversizedValuesAndThousandsOfLinesStayBounded)
{
    StoredSettings stored;
    // Thousands of lines within the size limit.
    for (int i = 0; i < 1200; ++i)
        stored.rules += "0|p" + std::to_string(i) + ".exe\n";
    ASSERT_LE(stored.rules.size(), kMaxStoredText);
    stored.schedule = std::string(kMaxStoredText + 1, '1');
    unsigned problems = 0;
    const AutomationSettings loaded = DecodeSettings(stored, problems);
    ASSERT_EQ(loaded.rules.size(), kMaxStoredLines);
    EXPECT_EQ(loaded.rules[kMaxRules].problem, RuleProblem::TooMany);
    EXPECT_TRUE(loaded.windows.empty());
    EXPECT_EQ(problems & (kLinesDropped | kValueTooLong), unsigned(kLinesDropped | kValueTooLong));
    // Only the limits' worth goes back.
    unsigned again = 0;
    EXPECT_EQ(DecodeSettings(EncodeSettings(loaded), again).rules.size(), kMaxRules);
    EXPECT_EQ(again, 0u);
}

} // namespace
