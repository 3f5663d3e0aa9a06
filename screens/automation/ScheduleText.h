#pragma once
// How the schedule's times and weekdays are written on the page and read
// back from what the user types. Plain C++.

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace automationpage {

// The page lists the weekdays Monday first; the settings' bit of the n-th
// of them (bit 0 is Sunday).
constexpr uint8_t DayBit(int mondayFirst) { return uint8_t(1u << ((mondayFirst + 1) % 7)); }

// "8:30", "08:30" or "08.30" (spaces around are ignored) as minutes after
// midnight; nullopt for anything else, 24:00 included.
std::optional<int> ParseTime(const std::string& text);
// "08:30"; empty for a minute outside the day.
std::string TimeText(int minute);

// The days in short names, Monday first: runs of three days or more as
// "Mo-Fr", single days joined by ", "; all seven as `everyDay`.
std::string DaysText(uint8_t days, const std::array<std::string, 7>& shortNames, const std::string& everyDay);

} // namespace automationpage
