#include "ctl/DailyTable.h"

#include "ctl/CtlTexts.h"
#include "engine/CalendarDay.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace ctl {
namespace {

constexpr size_t kColumns = 5;
constexpr size_t kGap = 2;
using Row = std::array<std::string, kColumns>;

std::string Figure(const char* format, double value)
{
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

std::string Duration(uint32_t seconds)
{
    char text[32];
    std::snprintf(text, sizeof text, "%lu:%02lu", static_cast<unsigned long>(seconds / 3600),
                  static_cast<unsigned long>(seconds / 60 % 60));
    return text;
}

struct Sums {
    double saved = 0, co2 = 0, cpu = 0;
    uint32_t seconds = 0;
};

Row Cells(const std::string& label, const Sums& sums)
{
    return {label, Figure("%.3f Wh", sums.saved), Figure("%.3f g", sums.co2), Figure("%.3f Wh", sums.cpu),
            Duration(sums.seconds)};
}

} // namespace

std::string DailyTable(const std::vector<history::DayRecord>& days)
{
    if (days.empty())
        return Say(Text::DailyEmpty) + "\n";
    std::vector<Row> rows = {{Say(Text::DailyDate), Say(Text::DailySaved), Say(Text::DailyCo2),
                              Say(Text::DailyCpuUsed), Say(Text::DailyTime)}};
    Sums all;
    for (const history::DayRecord& record : days) {
        char date[11];
        calendar::FormatIsoDate(record.day, date);
        const Sums day{record.Saved(), record.co2Avoided / 1000, record.cpuUsed, record.Seconds()};
        rows.push_back(Cells(date, day));
        all.saved += day.saved;
        all.co2 += day.co2;
        all.cpu += day.cpu;
        all.seconds += day.seconds;
    }
    rows.push_back(Cells(Say(Text::EnergySum), all));

    // Widths in bytes, which is also the width on the console for the
    // single- and double-byte code pages of the four languages.
    std::array<size_t, kColumns> widths{};
    for (const Row& row : rows)
        for (size_t column = 0; column < kColumns; ++column)
            widths[column] = std::max(widths[column], row[column].size());
    std::string table;
    for (const Row& row : rows) {
        std::string line = row[0] + std::string(widths[0] - row[0].size(), ' ');
        // The figures line up on the right.
        for (size_t column = 1; column < kColumns; ++column)
            line += std::string(kGap + widths[column] - row[column].size(), ' ') + row[column];
        table += line + "\n";
    }
    return table;
}

} // namespace ctl
