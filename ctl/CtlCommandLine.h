#pragma once
// pellixctl's command line: a command, its mode or command to run, and the
// options. Plain C++; nothing here touches the system.

#include "engine/ModeModel.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace ctl {

enum class Verb { Status, Get, List, Set, Hold, Calibrate, Energy, Version, Help, Rule };
// `pellixctl rule list | add PROGRAM MODE | remove PROGRAM`.
enum class RuleAction { List, Add, Remove };

struct Invocation {
    Verb verb = Verb::Help;
    int level = 0;                      // Set, Hold
    std::vector<std::string> program;   // Hold: the command and its arguments
    bool json = false;
    bool csv = false;
    bool daily = false;                 // Energy: the savings history, a row a day
    bool yes = false;
    uint32_t timeoutMs = 30000;
    RuleAction ruleAction = RuleAction::List;  // Rule
    std::string ruleProgram;                    // Rule add, remove
};

struct UsageError {
    enum class Kind { UnknownCommand, UnknownMode, BadOption, MissingMode, MissingProgram, BadRule, BadRuleProgram };
    Kind kind;
    std::string word;  // what was not understood
};

struct Parsed {
    std::optional<Invocation> invocation;
    UsageError error{UsageError::Kind::UnknownCommand, ""};
};

// args without the program name.
Parsed ParseCommandLine(const std::vector<std::string>& args);

// The five modes, Turbo first and Auto last.
inline constexpr int kModeLevels[] = {GearLevel::Turbo, GearLevel::HighPerformance, GearLevel::MediumSaving,
                                     GearLevel::MaxSaving, GearLevel::Auto};

// "turbo", "high", "medium", "max", "auto" in any case.
std::optional<int> LevelOfName(const std::string& name);
// The name of a known level; "unknown" otherwise.
const char* NameOfLevel(int level);
// The level of the saving gear Auto runs, as the firmware reports it (0..3;
// anything else counts as High Performance, as the dial shows it).
int AutoGearLevel(uint32_t gear);

} // namespace ctl
