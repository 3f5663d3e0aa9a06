#pragma once
// pellixctl's texts for people, from the [pellixctl] section of the
// program's language files (mode names from the program's own texts).
// Machine output (get, --json, --csv) never goes through here.

#include <string>

namespace ctl {

enum class Text {
    Help,
    NotRunning,
    TimedOut,
    BadReply,
    UnknownCommand,
    UnknownMode,
    BadOption,
    MissingMode,
    MissingProgram,
    Overclocked,
    ConflictingUtility,
    Busy,
    AutoUnsupported,
    TweakUnconfirmed,
    CalibrationNeeded,
    NotCurrent,
    ChangeFailed,
    ModeSet,
    ProgramFailed,
    Calibrating,
    CalibrationCompleted,
    CalibrationCancelled,
    StatusMode,
    StatusAutoGear,
    StatusAutoSupported,
    StatusCalibrationNeeded,
    StatusCpuPower,
    StatusEnergy,
    StatusCo2,
    StatusGraphics,
    Yes,
    No,
    GraphicsAbsent,
    GraphicsSynchronised,
    GraphicsNotSynchronised,
    Current,
    Unavailable,
    EnergyAccount,
    EnergyTotal,
    EnergyCurrent,
    EnergyBoard,
    EnergyGraphics,
    EnergySum,
    EnergyCo2,
    EnergySince,
    DailyDate,
    DailySaved,
    DailyCo2,
    DailyCpuUsed,
    DailyTime,
    DailyEmpty,
    HistoryChanging,
    OldProgram,
    BadRule,
    BadRuleProgram,
    DuplicateRule,
    TooManyRules,
    NoSuchRule,
    NotStored,
    RuleAdded,
    RuleRemoved,
    RulesEmpty,
    RuleInvalid,
    StatusHeldBy,
    HeldByNothing,
    HeldByUser,
    HeldByRule,
    HeldBySchedule,
    StatusHotkeys,
    HotkeyRegistered,
    HotkeyTaken,
    HotkeyInvalid,
    Managed,
    StatusPolicies,
    NoPolicies,
    Count
};

// The key of a text in the [pellixctl] section.
const char* KeyOf(Text text);
// The text with "%1" replaced by the argument and "\n" by line breaks.
std::string Say(Text text, const std::string& argument = "");
// The display name of a gear level, as the tray and the dial show it.
std::string ModeTitle(int level);

} // namespace ctl
