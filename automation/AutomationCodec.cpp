#include "automation/AutomationCodec.h"

#include <optional>
#include <string_view>
#include <vector>

namespace automation {
namespace {

constexpr size_t kMaxDigits = 9;

std::optional<uint32_t> Number(std::string_view text)
{
    if (text.empty() || text.size() > kMaxDigits)
        return std::nullopt;
    uint32_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + uint32_t(c - '0');
    }
    return value;
}

// At most `limit` fields split at '|'; the last takes the rest of the line.
std::vector<std::string_view> Fields(std::string_view line, size_t limit)
{
    std::vector<std::string_view> fields;
    while (fields.size() + 1 < limit) {
        const size_t bar = line.find('|');
        if (bar == std::string_view::npos)
            break;
        fields.push_back(line.substr(0, bar));
        line.remove_prefix(bar + 1);
    }
    fields.push_back(line);
    return fields;
}

// Calls take(line) for each line of a value until it returns false.
template <class Take>
void ForEachLine(const std::string& text, unsigned& problems, Take take)
{
    if (text.size() > kMaxStoredText) {
        problems |= kValueTooLong;
        return;
    }
    std::string_view rest = text;
    size_t kept = 0;
    while (!rest.empty()) {
        const size_t newline = rest.find('\n');
        std::string_view line = rest.substr(0, newline);
        rest.remove_prefix(newline == std::string_view::npos ? rest.size() : newline + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.empty())
            continue;
        if (kept == kMaxStoredLines) {
            problems |= kLinesDropped;
            return;
        }
        ++kept;
        take(line);
    }
}

int LevelOf(std::string_view text)
{
    const std::optional<uint32_t> level = Number(text);
    return level && IsModeLevel(int(*level)) ? int(*level) : GearLevel::Unknown;
}

void DecodeHotkeys(const std::string& text, AutomationSettings& settings, unsigned& problems)
{
    ForEachLine(text, problems, [&](std::string_view line) {
        const size_t equals = line.find('=');
        const std::string_view name = line.substr(0, equals);
        size_t action = 0;
        while (action < kHotkeyCount && name != ActionName(HotkeyAction(action)))
            ++action;
        if (equals == std::string_view::npos || action == kHotkeyCount) {
            problems |= kUnknownHotkey;
            return;
        }
        std::string_view values = line.substr(equals + 1);
        std::optional<uint32_t> numbers[3];
        for (auto& number : numbers) {
            const size_t comma = values.find(',');
            number = Number(values.substr(0, comma));
            values = comma == std::string_view::npos ? std::string_view() : values.substr(comma + 1);
        }
        if (!numbers[0] || !numbers[1] || !numbers[2] || *numbers[0] > 1 || !values.empty()) {
            problems |= kBadLine;
            return;
        }
        settings.hotkeys[action] = {*numbers[0] == 1, *numbers[1], *numbers[2]};
    });
}

void DecodeRules(const std::string& text, AutomationSettings& settings, unsigned& problems)
{
    ForEachLine(text, problems, [&](std::string_view line) {
        const std::vector<std::string_view> fields = Fields(line, 2);
        ProgramRule rule;
        if (fields.size() < 2) {
            problems |= kBadLine;
            rule.level = GearLevel::Unknown;
            rule.program = std::string(fields[0].substr(0, kMaxProgramLength + 1));
        } else {
            rule.level = LevelOf(fields[0]);
            // One byte past the limit keeps the verdict "too long" and the
            // memory bounded.
            rule.program = std::string(fields[1].substr(0, kMaxProgramLength + 1));
        }
        settings.rules.push_back(std::move(rule));
    });
}

void DecodeSchedule(const std::string& text, AutomationSettings& settings, unsigned& problems)
{
    ForEachLine(text, problems, [&](std::string_view line) {
        const std::vector<std::string_view> fields = Fields(line, 4);
        ScheduleWindow window;
        window.level = GearLevel::Unknown;
        if (fields.size() < 4) {
            problems |= kBadLine;
        } else {
            // Out-of-range numbers keep a value that fails validation.
            const auto days = Number(fields[0]), start = Number(fields[1]), end = Number(fields[2]);
            window.days = days && *days <= kAllDays ? uint8_t(*days) : 0;
            window.start = start && *start < kMinutesPerDay ? uint16_t(*start) : uint16_t(kMinutesPerDay);
            window.end = end && *end < kMinutesPerDay ? uint16_t(*end) : uint16_t(kMinutesPerDay);
            window.level = LevelOf(fields[3]);
        }
        settings.windows.push_back(window);
    });
}

void Append(std::string& text, const std::string& line)
{
    text += line;
    text += '\n';
}

} // namespace

StoredSettings EncodeSettings(const AutomationSettings& settings)
{
    StoredSettings stored;
    for (size_t i = 0; i < kHotkeyCount; ++i) {
        const Hotkey& hotkey = settings.hotkeys[i];
        if (hotkey.key == 0 && hotkey.modifiers == 0 && !hotkey.enabled)
            continue;
        Append(stored.hotkeys, std::string(ActionName(HotkeyAction(i))) + "=" + (hotkey.enabled ? "1" : "0") + "," +
                                   std::to_string(hotkey.modifiers) + "," + std::to_string(hotkey.key));
    }
    for (size_t i = 0; i < settings.rules.size() && i < kMaxRules; ++i) {
        const ProgramRule& rule = settings.rules[i];
        // A program that cannot be written back unchanged is left out.
        if (rule.program.size() > kMaxProgramLength || rule.program.find_first_of("\r\n") != std::string::npos)
            continue;
        Append(stored.rules, std::to_string(rule.level) + "|" + rule.program);
    }
    for (size_t i = 0; i < settings.windows.size() && i < kMaxWindows; ++i) {
        const ScheduleWindow& window = settings.windows[i];
        Append(stored.schedule, std::to_string(window.days) + "|" + std::to_string(window.start) + "|" +
                                    std::to_string(window.end) + "|" + std::to_string(window.level));
    }
    return stored;
}

AutomationSettings DecodeSettings(const StoredSettings& stored, unsigned& problems)
{
    problems = 0;
    AutomationSettings settings;
    DecodeHotkeys(stored.hotkeys, settings, problems);
    DecodeRules(stored.rules, settings, problems);
    DecodeSchedule(stored.schedule, settings, problems);
    Validate(settings);
    for (const Hotkey& hotkey : settings.hotkeys)
        if (hotkey.enabled && !hotkey.IsActive())
            problems |= kInvalidEntry;
    for (const ProgramRule& rule : settings.rules)
        if (!rule.IsValid())
            problems |= kInvalidEntry;
    for (const ScheduleWindow& window : settings.windows)
        if (!window.IsValid())
            problems |= kInvalidEntry;
    return settings;
}

std::string DescribeStoredProblems(unsigned problems)
{
    static constexpr std::pair<unsigned, const char*> kNames[] = {
        {kValueTooLong, "value too long"}, {kBadLine, "bad line"},         {kLinesDropped, "lines dropped"},
        {kUnknownHotkey, "unknown hotkey"}, {kInvalidEntry, "invalid entry"},
    };
    std::string text;
    for (const auto& [bit, name] : kNames) {
        if (!(problems & bit))
            continue;
        if (!text.empty())
            text += ", ";
        text += name;
    }
    return text;
}

} // namespace automation
