#include "ctl/CtlCommandLine.h"

#include "automation/AutomationSettings.h"

#include <cctype>
#include <cstdlib>

namespace ctl {
namespace {

constexpr uint32_t kMaxTimeoutSeconds = 24 * 60 * 60;

struct ModeName {
    const char* name;
    int level;
};
constexpr ModeName kModes[] = {
    {"turbo", GearLevel::Turbo},     {"high", GearLevel::HighPerformance}, {"medium", GearLevel::MediumSaving},
    {"max", GearLevel::MaxSaving}, {"auto", GearLevel::Auto},
};

struct VerbName {
    const char* name;
    Verb verb;
};
constexpr VerbName kVerbs[] = {
    {"status", Verb::Status}, {"get", Verb::Get},         {"list", Verb::List},
    {"set", Verb::Set},       {"hold", Verb::Hold},       {"calibrate", Verb::Calibrate},
    {"energy", Verb::Energy}, {"version", Verb::Version}, {"help", Verb::Help},
    {"rule", Verb::Rule},
};

std::string Lower(std::string text)
{
    for (char& c : text)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::optional<uint32_t> Seconds(const std::string& text)
{
    if (text.empty() || text.size() > 5)
        return std::nullopt;
    for (char c : text)
        if (!std::isdigit(static_cast<unsigned char>(c)))
            return std::nullopt;
    const unsigned long seconds = std::strtoul(text.c_str(), nullptr, 10);
    if (seconds == 0 || seconds > kMaxTimeoutSeconds)
        return std::nullopt;
    return uint32_t(seconds);
}

Parsed Error(UsageError::Kind kind, const std::string& word)
{
    Parsed parsed;
    parsed.error = {kind, word};
    return parsed;
}

// rule list | rule add PROGRAM MODE | rule remove PROGRAM; the program is
// checked as the settings page checks it.
Parsed ParseRule(Invocation invocation, const std::vector<std::string>& words)
{
    if (invocation.json || invocation.csv || invocation.daily || invocation.yes)
        return Error(UsageError::Kind::BadOption, invocation.json ? "--json" : invocation.csv ? "--csv"
                                                                  : invocation.daily      ? "--daily"
                                                                                          : "--yes");
    const std::string action = words.size() > 1 ? Lower(words[1]) : "";
    size_t expected = 0;
    if (action == "list") {
        invocation.ruleAction = RuleAction::List;
        expected = 2;
    } else if (action == "add") {
        invocation.ruleAction = RuleAction::Add;
        expected = 4;
    } else if (action == "remove") {
        invocation.ruleAction = RuleAction::Remove;
        expected = 3;
    } else {
        return Error(UsageError::Kind::BadRule, words[0]);
    }
    if (words.size() < expected)
        return Error(UsageError::Kind::BadRule, words[0] + " " + words[1]);
    if (words.size() > expected)
        return Error(UsageError::Kind::BadOption, words[expected]);
    if (expected >= 3) {
        invocation.ruleProgram = words[2];
        if (automation::CheckProgram(invocation.ruleProgram) != automation::RuleProblem::None)
            return Error(UsageError::Kind::BadRuleProgram, words[2]);
    }
    if (expected == 4) {
        const std::optional<int> level = LevelOfName(words[3]);
        if (!level)
            return Error(UsageError::Kind::UnknownMode, words[3]);
        invocation.level = *level;
    }
    Parsed parsed;
    parsed.invocation = std::move(invocation);
    return parsed;
}

} // namespace

std::optional<int> LevelOfName(const std::string& name)
{
    const std::string lower = Lower(name);
    for (const ModeName& mode : kModes)
        if (lower == mode.name)
            return mode.level;
    return std::nullopt;
}

const char* NameOfLevel(int level)
{
    for (const ModeName& mode : kModes)
        if (level == mode.level)
            return mode.name;
    return "unknown";
}

int AutoGearLevel(uint32_t gear)
{
    constexpr int kGears[] = {GearLevel::Turbo, GearLevel::HighPerformance, GearLevel::MediumSaving,
                              GearLevel::MaxSaving};
    return gear < 4 ? kGears[gear] : GearLevel::HighPerformance;
}

Parsed ParseCommandLine(const std::vector<std::string>& args)
{
    Invocation invocation;
    std::vector<std::string> words;
    size_t index = 0;
    for (; index < args.size(); ++index) {
        const std::string& arg = args[index];
        if (arg == "--") {
            ++index;
            break;
        }
        if (arg == "--json") {
            invocation.json = true;
        } else if (arg == "--csv") {
            invocation.csv = true;
        } else if (arg == "--daily") {
            invocation.daily = true;
        } else if (arg == "--yes") {
            invocation.yes = true;
        } else if (arg == "--timeout" || arg.rfind("--timeout=", 0) == 0) {
            std::string value;
            if (arg == "--timeout") {
                if (index + 1 == args.size())
                    return Error(UsageError::Kind::BadOption, arg);
                value = args[++index];
            } else {
                value = arg.substr(10);
            }
            const std::optional<uint32_t> seconds = Seconds(value);
            if (!seconds)
                return Error(UsageError::Kind::BadOption, arg);
            invocation.timeoutMs = *seconds * 1000;
        } else if (arg == "-h" || arg == "--help" || arg == "/?") {
            words.push_back("help");
        } else if (arg.size() > 1 && arg[0] == '-') {
            return Error(UsageError::Kind::BadOption, arg);
        } else {
            words.push_back(arg);
        }
    }
    invocation.program.assign(args.begin() + std::ptrdiff_t(index), args.end());

    if (words.empty())
        return Error(UsageError::Kind::UnknownCommand, "");
    const std::string verb = Lower(words[0]);
    bool known = false;
    for (const VerbName& name : kVerbs)
        if (verb == name.name) {
            invocation.verb = name.verb;
            known = true;
        }
    if (!known)
        return Error(UsageError::Kind::UnknownCommand, words[0]);

    if (invocation.verb == Verb::Rule) {
        if (!invocation.program.empty())
            return Error(UsageError::Kind::BadOption, "--");
        return ParseRule(std::move(invocation), words);
    }
    const bool takesMode = invocation.verb == Verb::Set || invocation.verb == Verb::Hold;
    const size_t expectedWords = takesMode ? 2 : 1;
    if (takesMode && words.size() < 2)
        return Error(UsageError::Kind::MissingMode, words[0]);
    if (words.size() > expectedWords)
        return Error(UsageError::Kind::BadOption, words[expectedWords]);
    if (takesMode) {
        const std::optional<int> level = LevelOfName(words[1]);
        if (!level)
            return Error(UsageError::Kind::UnknownMode, words[1]);
        invocation.level = *level;
    }
    if (invocation.verb == Verb::Hold && invocation.program.empty())
        return Error(UsageError::Kind::MissingProgram, words[0]);
    if (invocation.verb != Verb::Hold && !invocation.program.empty())
        return Error(UsageError::Kind::BadOption, "--");

    const Verb v = invocation.verb;
    const bool jsonAllowed = v == Verb::Status || v == Verb::Get || v == Verb::List || v == Verb::Energy;
    if (invocation.json && (!jsonAllowed || invocation.csv))
        return Error(UsageError::Kind::BadOption, "--json");
    if (invocation.csv && v != Verb::Energy)
        return Error(UsageError::Kind::BadOption, "--csv");
    if (invocation.daily && v != Verb::Energy)
        return Error(UsageError::Kind::BadOption, "--daily");
    if (invocation.yes && !takesMode)
        return Error(UsageError::Kind::BadOption, "--yes");
    Parsed parsed;
    parsed.invocation = std::move(invocation);
    return parsed;
}

} // namespace ctl
