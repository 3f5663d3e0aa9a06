#pragma once
// What the automation is set to: six global hotkeys (one per mode and one
// for the next mode), program rules (while a program runs, its mode holds)
// and a weekly schedule of time windows. Every entry carries the verdict of
// Validate(): entries that fail it are kept, so that the settings page can
// show them as invalid, but the engine never acts on them. Hard limits keep
// whatever the registry holds small. Plain C++.

#include "engine/ModeModel.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace automation {

// Hard limits of the settings, whatever their source.
constexpr size_t kMaxRules = 32;
constexpr size_t kMaxWindows = 32;
// Bytes of a program's file name or full path. A rule also has to fit one
// control-pipe request.
constexpr size_t kMaxProgramLength = 120;

constexpr int kMinutesPerDay = 24 * 60;
constexpr int kDaysPerWeek = 7;
constexpr int kMinutesPerWeek = kDaysPerWeek * kMinutesPerDay;

// The five modes by performance, most first: Turbo, High Performance, Auto
// (the firmware moves between the levels by load, so it performs below High
// Performance and above a fixed saving level), Medium and Max Power Saving.
// When several rules apply, the one with the most performance wins.
// 4 for Turbo down to 0 for Max Power Saving; -1 for anything but the five
// levels.
int PerformanceRank(int level);
inline bool IsModeLevel(int level) { return PerformanceRank(level) >= 0; }

// ---- Hotkeys ---------------------------------------------------------------

enum class HotkeyAction : uint8_t { Turbo, HighPerformance, Medium, MaxSaving, Auto, NextMode };
constexpr size_t kHotkeyCount = 6;
// The level a mode's hotkey selects; GearLevel::Unknown for NextMode.
int ActionLevel(HotkeyAction action);
// Stable lower-case names ("turbo", "next"): the stored form's labels.
const char* ActionName(HotkeyAction action);

// The modifier bits of RegisterHotKey.
enum HotkeyModifier : uint32_t {
    kModAlt = 0x1,
    kModControl = 0x2,
    kModShift = 0x4,
    kModWin = 0x8,
};
constexpr uint32_t kAllModifiers = kModAlt | kModControl | kModShift | kModWin;

enum class HotkeyProblem : uint8_t {
    None,
    NoKey,         // enabled without a key
    BadKey,        // outside 1-254, or a modifier key itself
    BadModifiers,  // bits other than the four modifiers
    NeedsModifier, // a key other than F1-F24 needs Alt, Ctrl or Win
    Duplicate,     // an earlier enabled hotkey has the same combination
};

struct Hotkey {
    bool enabled = false;
    uint32_t modifiers = 0;  // HotkeyModifier bits
    uint32_t key = 0;        // virtual-key code
    HotkeyProblem problem = HotkeyProblem::None;

    bool SameCombination(const Hotkey& other) const { return modifiers == other.modifiers && key == other.key; }
    // Enabled and without a problem: the engine registers it.
    bool IsActive() const { return enabled && problem == HotkeyProblem::None; }
};

// ---- Program rules ---------------------------------------------------------

enum class RuleProblem : uint8_t {
    None,
    EmptyProgram,
    ProgramTooLong,  // over kMaxProgramLength
    BadProgram,      // control characters, < > " | ? *, or a path that is not "X:\...\name"
    UnknownMode,
    Duplicate,       // an earlier rule names the same program (case ignored)
    TooMany,         // past kMaxRules
};

struct ProgramRule {
    // A file name ("render.exe") matches any process of that name; a full
    // path ("C:\Tools\render.exe") only the process started from it.
    std::string program;
    int level = GearLevel::HighPerformance;
    RuleProblem problem = RuleProblem::None;

    bool IsValid() const { return problem == RuleProblem::None; }
    bool IsFullPath() const;
    // The file-name part of the program ("render.exe" for both forms).
    std::string FileName() const;
};

// The program on its own: what the page and pellixctl check before adding.
RuleProblem CheckProgram(const std::string& program);
// ASCII letters compared without case, as Windows compares file names.
bool SameProgram(const std::string& a, const std::string& b);

// ---- Schedule ---------------------------------------------------------------

enum class WindowProblem : uint8_t {
    None,
    NoDays,       // no weekday chosen, or bits past the seventh
    BadTime,      // a minute outside 0-1439
    Empty,        // start equals end
    UnknownMode,
    Overlaps,     // shares a minute of the week with an earlier valid window
    TooMany,      // past kMaxWindows
};

// A window starts on each chosen weekday at `start` and ends at `end`, the
// same day or, when end is before start, the next day (22:00-07:00).
struct ScheduleWindow {
    uint8_t days = 0;    // bit 0 Sunday .. bit 6 Saturday: the days it starts
    uint16_t start = 0;  // minutes after midnight, 0-1439
    uint16_t end = 0;
    int level = GearLevel::HighPerformance;
    WindowProblem problem = WindowProblem::None;

    bool IsValid() const { return problem == WindowProblem::None; }
    // Minutes from start to end (crossing midnight when end < start).
    int Length() const;
    // Whether the minute of the week (0 = Sunday 00:00) falls in the window:
    // from its start inclusive to its end exclusive.
    bool Covers(int minuteOfWeek) const;
};

constexpr uint8_t kAllDays = 0x7F;

// ---- All of it ----------------------------------------------------------------

struct AutomationSettings {
    std::array<Hotkey, kHotkeyCount> hotkeys{};
    std::vector<ProgramRule> rules;
    std::vector<ScheduleWindow> windows;

    Hotkey& HotkeyFor(HotkeyAction action) { return hotkeys[size_t(action)]; }
    const Hotkey& HotkeyFor(HotkeyAction action) const { return hotkeys[size_t(action)]; }
    bool HasValidRule() const;
    bool HasValidWindow() const;
};

// Gives every entry its verdict, in list order (an entry that clashes with
// an earlier one is the invalid one). Entries past the limits stay in the
// lists, marked TooMany, so that nothing the user typed vanishes silently;
// the stored form keeps only the limits' worth.
void Validate(AutomationSettings& settings);

// The minute of the week for a weekday (0 = Sunday) and a time of day.
constexpr int MinuteOfWeek(int weekday, int hour, int minute)
{
    return weekday * kMinutesPerDay + hour * 60 + minute;
}

} // namespace automation
