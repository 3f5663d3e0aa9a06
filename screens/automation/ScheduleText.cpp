#include "screens/automation/ScheduleText.h"

#include <cctype>
#include <cstdio>

namespace automationpage {

namespace {

std::string Trimmed(const std::string& text)
{
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

bool AllDigits(const std::string& text)
{
    if (text.empty())
        return false;
    for (char c : text)
        if (!std::isdigit(static_cast<unsigned char>(c)))
            return false;
    return true;
}

} // namespace

std::optional<int> ParseTime(const std::string& typed)
{
    const std::string text = Trimmed(typed);
    const size_t separator = text.find_first_of(":.");
    if (separator == std::string::npos)
        return std::nullopt;
    const std::string hours = text.substr(0, separator);
    const std::string minutes = text.substr(separator + 1);
    if (hours.size() > 2 || minutes.size() != 2 || !AllDigits(hours) || !AllDigits(minutes))
        return std::nullopt;
    const int h = std::stoi(hours);
    const int m = std::stoi(minutes);
    if (h > 23 || m > 59)
        return std::nullopt;
    return h * 60 + m;
}

std::string TimeText(int minute)
{
    if (minute < 0 || minute >= 24 * 60)
        return {};
    char text[8];
    snprintf(text, sizeof text, "%02d:%02d", minute / 60, minute % 60);
    return text;
}

std::string DaysText(uint8_t days, const std::array<std::string, 7>& shortNames, const std::string& everyDay)
{
    const auto chosen = [days](int day) { return day < 7 && (days & DayBit(day)); };
    if ((days & 0x7F) == 0x7F)
        return everyDay;
    std::string text;
    for (int day = 0; day < 7;) {
        if (!chosen(day)) {
            ++day;
            continue;
        }
        int last = day;
        while (chosen(last + 1))
            ++last;
        if (!text.empty())
            text += ", ";
        if (last - day >= 2) {
            text += shortNames[day] + "-" + shortNames[last];
        } else {
            text += shortNames[day];
            if (last > day)
                text += ", " + shortNames[last];
        }
        day = last + 1;
    }
    return text;
}

} // namespace automationpage
