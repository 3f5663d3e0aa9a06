#include "engine/SavingsPeriods.h"

#include "engine/CalendarDay.h"

#include <algorithm>
#include <numeric>

namespace history {
namespace {

constexpr int kDayBars = 30;
constexpr int kWeekBars = 12;
constexpr int kMonthBars = 12;

// The bars' spans, oldest first, without figures.
std::vector<Bar> Spans(int today, Period period)
{
    std::vector<Bar> bars;
    switch (period) {
    case Period::Days:
        for (int i = kDayBars - 1; i >= 0; --i)
            bars.push_back({today - i, today - i});
        break;
    case Period::Weeks: {
        const int monday = today - calendar::Weekday(today);
        for (int i = kWeekBars - 1; i >= 0; --i)
            bars.push_back({monday - 7 * i, monday - 7 * i + 6});
        break;
    }
    case Period::Months: {
        const calendar::Date now = calendar::DateOf(today);
        const int monthIndex = now.year * 12 + now.month - 1;
        for (int i = kMonthBars - 1; i >= 0; --i) {
            const int month = monthIndex - i;
            const int first = calendar::DayNumber({month / 12, month % 12 + 1, 1});
            const int next = calendar::DayNumber({(month + 1) / 12, (month + 1) % 12 + 1, 1});
            bars.push_back({first, next - 1});
        }
        break;
    }
    }
    return bars;
}

void AddDay(Bar& bar, const DayRecord& record)
{
    for (int mode = 0; mode < kModes; ++mode)
        bar.savedByMode[mode] += record.SavedIn(mode);
    bar.cpuUsed += record.cpuUsed;
    bar.co2Avoided += record.co2Avoided;
}

} // namespace

double Bar::Saved() const
{
    return std::accumulate(savedByMode.begin(), savedByMode.end(), 0.0);
}

std::vector<Bar> Bars(const std::vector<DayRecord>& days, int today, Period period)
{
    std::vector<Bar> bars = Spans(today, period);
    // Both lists are in date order: one pass over the days.
    auto day = std::lower_bound(days.begin(), days.end(), bars.front().firstDay,
                                [](const DayRecord& record, int value) { return record.day < value; });
    for (Bar& bar : bars)
        for (; day != days.end() && day->day <= bar.lastDay; ++day)
            AddDay(bar, *day);
    return bars;
}

Bar Total(const std::vector<Bar>& bars)
{
    Bar total;
    if (bars.empty())
        return total;
    total.firstDay = bars.front().firstDay;
    total.lastDay = bars.back().lastDay;
    for (const Bar& bar : bars) {
        for (int mode = 0; mode < kModes; ++mode)
            total.savedByMode[mode] += bar.savedByMode[mode];
        total.cpuUsed += bar.cpuUsed;
        total.co2Avoided += bar.co2Avoided;
    }
    return total;
}

} // namespace history
