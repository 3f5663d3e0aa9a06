// Which rules the running processes match: names without case, full paths
// only for the process started from them, each rule once; invalid rules
// never, and without a valid rule no snapshot at all.

#include "automation/ProgramWatcher.h"

#include <gtest/gtest.h>

using namespace automation;

namespace {

ProgramRule Rule(const std::string& program, int level)
{
    ProgramRule rule;
    rule.program = program;
    rule.level = level;
    return rule;
}

TEST(ProgramWatcher, RulesMatchByNameOrByFullPath)
{
    AutomationSettings settings;
    settings.rules = {Rule("render.exe", GearLevel::Turbo), Rule("C:\\Tools\\bake.exe", GearLevel::Auto),
                      Rule("D:\\Other\\bake.exe", GearLevel::MaxSaving), Rule("idle.exe", 77)};
    Validate(settings);
    const std::vector<ProcessEntry> processes = {
        {10, "RENDER.EXE"}, {11, "render.exe"}, {12, "bake.exe"}, {13, "idle.exe"}, {14, "notepad.exe"}};
    std::vector<DWORD> askedForPath;
    const auto pathOf = [&](DWORD id) {
        askedForPath.push_back(id);
        return id == 12 ? std::string("c:\\tools\\BAKE.exe") : std::string();
    };

    const std::vector<RunningRule> running = MatchRules(settings, processes, pathOf);
    ASSERT_EQ(running.size(), 2u);
    EXPECT_EQ(running[0].index, 0u);
    EXPECT_EQ(running[0].level, GearLevel::Turbo);
    EXPECT_EQ(running[1].index, 1u);
    EXPECT_EQ(running[1].level, GearLevel::Auto);
    // Only the process whose name matched a path rule was asked, once per rule.
    EXPECT_EQ(askedForPath, (std::vector<DWORD>{12, 12}));
}

TEST(ProgramWatcher, TheSnapshotFindsThisProcessAndNothingWithoutValidRules)
{
    char path[MAX_PATH]{};
    ASSERT_GT(GetModuleFileNameA(nullptr, path, MAX_PATH), 0u);
    AutomationSettings settings;
    settings.rules = {Rule(path, GearLevel::Turbo), Rule("no-such-program-here.exe", GearLevel::Auto)};
    Validate(settings);
    ASSERT_TRUE(settings.rules[0].IsValid()) << path;
    const std::vector<RunningRule> running = RunningRules(settings);
    ASSERT_EQ(running.size(), 1u);
    EXPECT_EQ(running[0].index, 0u);

    settings.rules[0].level = 3;
    Validate(settings);
    EXPECT_TRUE(RunningRules(settings).empty());
}

} // namespace
