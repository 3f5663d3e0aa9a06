#include "ctl/CtlTexts.h"

#include "engine/ModeModel.h"
#include "kelp/System/Language.h"

namespace ctl {
namespace {

constexpr const char* kSection = "pellixctl";

constexpr const char* kKeys[] = {
    "Help", "NotRunning", "TimedOut", "BadReply", "UnknownCommand", "UnknownMode", "BadOption", "MissingMode",
    "MissingProgram", "Overclocked", "ConflictingUtility", "Busy", "AutoUnsupported", "TweakUnconfirmed",
    "CalibrationNeeded", "NotCurrent", "ChangeFailed", "ModeSet", "ProgramFailed", "Calibrating",
    "CalibrationCompleted", "CalibrationCancelled", "StatusMode", "StatusAutoGear", "StatusAutoSupported",
    "StatusCalibrationNeeded", "StatusCpuPower", "StatusEnergy", "StatusCo2", "StatusGraphics", "Yes", "No",
    "GraphicsAbsent", "GraphicsSynchronised", "GraphicsNotSynchronised", "Current", "Unavailable",
    "EnergyAccount", "EnergyTotal", "EnergyCurrent", "EnergyBoard", "EnergyGraphics", "EnergySum", "EnergyCo2",
    "EnergySince", "DailyDate", "DailySaved", "DailyCo2", "DailyCpuUsed", "DailyTime", "DailyEmpty",
    "HistoryChanging", "OldProgram", "BadRule", "BadRuleProgram", "DuplicateRule", "TooManyRules", "NoSuchRule",
    "NotStored", "RuleAdded", "RuleRemoved", "RulesEmpty", "RuleInvalid", "StatusHeldBy", "HeldByNothing",
    "HeldByUser", "HeldByRule", "HeldBySchedule", "StatusHotkeys", "HotkeyRegistered", "HotkeyTaken",
    "HotkeyInvalid", "Managed", "StatusPolicies", "NoPolicies",
};
static_assert(sizeof kKeys / sizeof kKeys[0] == size_t(Text::Count), "one key per text");

void ReplaceAll(std::string& text, const std::string& from, const std::string& to)
{
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

} // namespace

const char* KeyOf(Text text)
{
    return kKeys[size_t(text)];
}

std::string Say(Text text, const std::string& argument)
{
    std::string said = kelp::TranslateIn(kSection, KeyOf(text));
    ReplaceAll(said, "\\n", "\n");
    ReplaceAll(said, "%1", argument);
    return said;
}

std::string ModeTitle(int level)
{
    return kelp::Translate(LevelToNameKey(level));
}

} // namespace ctl
