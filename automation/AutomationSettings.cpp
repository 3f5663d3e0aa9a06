#include "automation/AutomationSettings.h"

#include <bitset>
#include <cstring>

namespace automation {
namespace {

constexpr uint32_t kFirstFunctionKey = 0x70;  // VK_F1
constexpr uint32_t kLastFunctionKey = 0x87;   // VK_F24

bool IsModifierKey(uint32_t key)
{
    switch (key) {
    case 0x10: case 0x11: case 0x12:         // VK_SHIFT, VK_CONTROL, VK_MENU
    case 0x5B: case 0x5C:                    // VK_LWIN, VK_RWIN
    case 0xA0: case 0xA1: case 0xA2: case 0xA3: case 0xA4: case 0xA5:  // left and right variants
        return true;
    default:
        return false;
    }
}

HotkeyProblem CheckHotkey(const Hotkey& hotkey)
{
    if (hotkey.key == 0)
        return HotkeyProblem::NoKey;
    if (hotkey.key > 254 || IsModifierKey(hotkey.key))
        return HotkeyProblem::BadKey;
    if (hotkey.modifiers & ~kAllModifiers)
        return HotkeyProblem::BadModifiers;
    const bool functionKey = hotkey.key >= kFirstFunctionKey && hotkey.key <= kLastFunctionKey;
    // Shift alone would take a capital letter from every program.
    if ((hotkey.modifiers & (kModAlt | kModControl | kModWin)) == 0 && !functionKey)
        return HotkeyProblem::NeedsModifier;
    return HotkeyProblem::None;
}

char LowerAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

bool IsSeparator(char c)
{
    return c == '\\' || c == '/';
}

// "X:\" followed by at least one character.
bool IsDrivePath(const std::string& program)
{
    const char drive = LowerAscii(program[0]);
    return program.size() > 3 && drive >= 'a' && drive <= 'z' && program[1] == ':' && IsSeparator(program[2]);
}

using WeekMinutes = std::bitset<kMinutesPerWeek>;

void MarkMinutes(const ScheduleWindow& window, WeekMinutes& minutes)
{
    const int length = window.Length();
    for (int day = 0; day < kDaysPerWeek; ++day) {
        if (!(window.days & (1u << day)))
            continue;
        const int first = day * kMinutesPerDay + window.start;
        for (int i = 0; i < length; ++i)
            minutes.set(size_t((first + i) % kMinutesPerWeek));
    }
}

WindowProblem CheckWindow(const ScheduleWindow& window)
{
    if (window.days == 0 || (window.days & ~kAllDays))
        return WindowProblem::NoDays;
    if (window.start >= kMinutesPerDay || window.end >= kMinutesPerDay)
        return WindowProblem::BadTime;
    if (window.start == window.end)
        return WindowProblem::Empty;
    if (!IsModeLevel(window.level))
        return WindowProblem::UnknownMode;
    return WindowProblem::None;
}

} // namespace

int PerformanceRank(int level)
{
    switch (level) {
    case GearLevel::Turbo:
        return 4;
    case GearLevel::HighPerformance:
        return 3;
    case GearLevel::Auto:
        return 2;
    case GearLevel::MediumSaving:
        return 1;
    case GearLevel::MaxSaving:
        return 0;
    default:
        return -1;
    }
}

int ActionLevel(HotkeyAction action)
{
    switch (action) {
    case HotkeyAction::Turbo:
        return GearLevel::Turbo;
    case HotkeyAction::HighPerformance:
        return GearLevel::HighPerformance;
    case HotkeyAction::Medium:
        return GearLevel::MediumSaving;
    case HotkeyAction::MaxSaving:
        return GearLevel::MaxSaving;
    case HotkeyAction::Auto:
        return GearLevel::Auto;
    case HotkeyAction::NextMode:
        break;
    }
    return GearLevel::Unknown;
}

const char* ActionName(HotkeyAction action)
{
    static constexpr const char* kNames[kHotkeyCount] = {"turbo", "high", "medium", "max", "auto", "next"};
    return size_t(action) < kHotkeyCount ? kNames[size_t(action)] : "";
}

bool ProgramRule::IsFullPath() const
{
    return program.find_first_of("\\/:") != std::string::npos;
}

std::string ProgramRule::FileName() const
{
    const size_t slash = program.find_last_of("\\/");
    return slash == std::string::npos ? program : program.substr(slash + 1);
}

RuleProblem CheckProgram(const std::string& program)
{
    if (program.empty())
        return RuleProblem::EmptyProgram;
    if (program.size() > kMaxProgramLength)
        return RuleProblem::ProgramTooLong;
    for (char c : program)
        if (static_cast<unsigned char>(c) < 32 || std::strchr("<>\"|?*", c))
            return RuleProblem::BadProgram;
    const bool hasPathPart = program.find_first_of("\\/:") != std::string::npos;
    if (!hasPathPart)
        return RuleProblem::None;
    // A path names the program's file: absolute, one drive colon, no empty
    // or relative parts, not a folder.
    if (!IsDrivePath(program) || program.find(':', 2) != std::string::npos || IsSeparator(program.back()))
        return RuleProblem::BadProgram;
    for (size_t i = 3; i < program.size(); ++i)
        if (IsSeparator(program[i]) && IsSeparator(program[i - 1]))
            return RuleProblem::BadProgram;
    return RuleProblem::None;
}

bool SameProgram(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (LowerAscii(a[i]) != LowerAscii(b[i]) && !(IsSeparator(a[i]) && IsSeparator(b[i])))
            return false;
    return true;
}

int ScheduleWindow::Length() const
{
    return (int(end) - int(start) + kMinutesPerDay) % kMinutesPerDay;
}

bool ScheduleWindow::Covers(int minuteOfWeek) const
{
    const int length = Length();
    for (int day = 0; day < kDaysPerWeek; ++day) {
        if (!(days & (1u << day)))
            continue;
        const int first = day * kMinutesPerDay + start;
        if ((minuteOfWeek - first + kMinutesPerWeek) % kMinutesPerWeek < length)
            return true;
    }
    return false;
}

bool AutomationSettings::HasValidRule() const
{
    for (const ProgramRule& rule : rules)
        if (rule.IsValid())
            return true;
    return false;
}

bool AutomationSettings::HasValidWindow() const
{
    for (const ScheduleWindow& window : windows)
        if (window.IsValid())
            return true;
    return false;
}

void Validate(AutomationSettings& settings)
{
    for (size_t i = 0; i < kHotkeyCount; ++i) {
        Hotkey& hotkey = settings.hotkeys[i];
        hotkey.problem = hotkey.enabled ? CheckHotkey(hotkey) : HotkeyProblem::None;
        for (size_t j = 0; j < i && hotkey.problem == HotkeyProblem::None && hotkey.enabled; ++j)
            if (settings.hotkeys[j].IsActive() && settings.hotkeys[j].SameCombination(hotkey))
                hotkey.problem = HotkeyProblem::Duplicate;
    }

    for (size_t i = 0; i < settings.rules.size(); ++i) {
        ProgramRule& rule = settings.rules[i];
        if (i >= kMaxRules) {
            rule.problem = RuleProblem::TooMany;
            continue;
        }
        rule.problem = CheckProgram(rule.program);
        if (rule.problem == RuleProblem::None && !IsModeLevel(rule.level))
            rule.problem = RuleProblem::UnknownMode;
        for (size_t j = 0; j < i && rule.problem == RuleProblem::None; ++j)
            if (SameProgram(settings.rules[j].program, rule.program))
                rule.problem = RuleProblem::Duplicate;
    }

    WeekMinutes taken;
    for (size_t i = 0; i < settings.windows.size(); ++i) {
        ScheduleWindow& window = settings.windows[i];
        if (i >= kMaxWindows) {
            window.problem = WindowProblem::TooMany;
            continue;
        }
        window.problem = CheckWindow(window);
        if (window.problem != WindowProblem::None)
            continue;
        WeekMinutes own;
        MarkMinutes(window, own);
        if ((own & taken).any())
            window.problem = WindowProblem::Overlaps;
        else
            taken |= own;
    }
}

} // namespace automation
