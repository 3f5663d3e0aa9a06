// pellixctl's command line: what it accepts and what it turns away.

#include "ctl/CtlCommandLine.h"
#include "ctl/ProgramRunner.h"

#include <gtest/gtest.h>

using namespace ctl;

namespace {
Parsed Parse(std::vector<std::string> args)
{
    return ParseCommandLine(args);
}
} // namespace

TEST(CtlCommandLine, AcceptsCommandsModesAndOptions)
{
    Parsed set = Parse({"--timeout", "5", "set", "MaX", "--yes"});
    ASSERT_TRUE(set.invocation);
    EXPECT_EQ(set.invocation->verb, Verb::Set);
    EXPECT_EQ(set.invocation->level, 2);
    EXPECT_TRUE(set.invocation->yes);
    EXPECT_EQ(set.invocation->timeoutMs, 5000u);

    Parsed hold = Parse({"hold", "turbo", "--", "build.cmd", "--json", "--"});
    ASSERT_TRUE(hold.invocation);
    EXPECT_EQ(hold.invocation->level, 0x4000);
    // Everything after "--" belongs to the command, options included.
    EXPECT_EQ(hold.invocation->program, (std::vector<std::string>{"build.cmd", "--json", "--"}));
    EXPECT_FALSE(hold.invocation->json);

    Parsed energy = Parse({"energy", "--csv", "--timeout=2"});
    ASSERT_TRUE(energy.invocation);
    EXPECT_TRUE(energy.invocation->csv);
    EXPECT_EQ(energy.invocation->timeoutMs, 2000u);
    EXPECT_FALSE(energy.invocation->daily);
    EXPECT_TRUE(Parse({"--daily", "energy", "--json"}).invocation->daily);
    EXPECT_EQ(Parse({"/?"}).invocation->verb, Verb::Help);
}

TEST(CtlCommandLine, TurnsAwayWhatItDoesNotKnow)
{
    const std::pair<std::vector<std::string>, UsageError::Kind> cases[] = {
        {{}, UsageError::Kind::UnknownCommand},
        {{"stat"}, UsageError::Kind::UnknownCommand},
        {{"set", "bogus"}, UsageError::Kind::UnknownMode},
        {{"set"}, UsageError::Kind::MissingMode},
        {{"hold", "max"}, UsageError::Kind::MissingProgram},
        {{"get", "extra"}, UsageError::Kind::BadOption},
        {{"set", "auto", "--json"}, UsageError::Kind::BadOption},
        {{"status", "--csv"}, UsageError::Kind::BadOption},
        {{"energy", "--csv", "--json"}, UsageError::Kind::BadOption},
        {{"status", "--daily"}, UsageError::Kind::BadOption},
        {{"get", "--yes"}, UsageError::Kind::BadOption},
        {{"get", "--timeout", "0"}, UsageError::Kind::BadOption},
        {{"get", "--timeout", "99999999"}, UsageError::Kind::BadOption},
        {{"get", "--timeout", "-3"}, UsageError::Kind::BadOption},
        {{"get", "--timeout"}, UsageError::Kind::BadOption},
        {{"get", "-x"}, UsageError::Kind::BadOption},
        {{"get", "--", "cmd"}, UsageError::Kind::BadOption},
    };
    for (const auto& [args, kind] : cases) {
        const Parsed parsed = ParseCommandLine(args);
        EXPECT_FALSE(parsed.invocation) << (args.empty() ? "" : args[0]);
        EXPECT_EQ(parsed.error.kind, kind) << (args.empty() ? "" : args.back());
    }
    EXPECT_EQ(Parse({"set", "bogus"}).error.word, "bogus");
}

TEST(CtlCommandLine, QuotesTheHeldCommandSoItsArgumentsSurvive)
{
    EXPECT_EQ(QuoteCommandLine({"cmd", "/c", "exit", "7"}), "cmd /c exit 7");
    EXPECT_EQ(QuoteCommandLine({"C:\\Program Files\\x.exe", ""}), "\"C:\\Program Files\\x.exe\" \"\"");
    EXPECT_EQ(QuoteCommandLine({"a\"b", "dir\\ with\\"}), "\"a\\\"b\" \"dir\\ with\\\\\"");
}

TEST(CtlCommandLine, RuleCommandsTakeAProgramAndAModeCheckedAsThePageChecksThem)
{
    Parsed add = Parse({"rule", "ADD", "C:\\Tools\\render.exe", "Turbo"});
    ASSERT_TRUE(add.invocation);
    EXPECT_EQ(add.invocation->verb, Verb::Rule);
    EXPECT_EQ(add.invocation->ruleAction, RuleAction::Add);
    EXPECT_EQ(add.invocation->ruleProgram, "C:\\Tools\\render.exe");
    EXPECT_EQ(add.invocation->level, 0x4000);
    Parsed remove = Parse({"rule", "remove", "render.exe"});
    ASSERT_TRUE(remove.invocation);
    EXPECT_EQ(remove.invocation->ruleAction, RuleAction::Remove);
    EXPECT_EQ(Parse({"rule", "list"}).invocation->ruleAction, RuleAction::List);

    const std::pair<std::vector<std::string>, UsageError::Kind> cases[] = {
        {{"rule"}, UsageError::Kind::BadRule},
        {{"rule", "drop", "x.exe"}, UsageError::Kind::BadRule},
        {{"rule", "add", "x.exe"}, UsageError::Kind::BadRule},
        {{"rule", "add", "x.exe", "warp"}, UsageError::Kind::UnknownMode},
        {{"rule", "add", "a*.exe", "max"}, UsageError::Kind::BadRuleProgram},
        {{"rule", "remove", "relative\\x.exe"}, UsageError::Kind::BadRuleProgram},
        {{"rule", "remove", std::string(121, 'x')}, UsageError::Kind::BadRuleProgram},
        {{"rule", "list", "more"}, UsageError::Kind::BadOption},
        {{"rule", "list", "--json"}, UsageError::Kind::BadOption},
        {{"rule", "add", "x.exe", "max", "--", "cmd"}, UsageError::Kind::BadOption},
    };
    for (const auto& [args, kind] : cases) {
        const Parsed parsed = Parse(args);
        EXPECT_FALSE(parsed.invocation) << args.size();
        EXPECT_EQ(parsed.error.kind, kind) << (args.size() > 1 ? args[1] : "");
    }
}
