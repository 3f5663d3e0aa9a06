// The chart's bars: 30 days, 12 Monday weeks or 12 calendar months ending
// with today's, each summing exactly the days inside it.

#include "engine/CalendarDay.h"
#include "engine/SavingsPeriods.h"

#include <gtest/gtest.h>

using namespace history;

namespace {

DayRecord SavedOn(int day, int mode, double wattHours)
{
    DayRecord record;
    record.day = day;
    record.boardSaved[mode] = wattHours;
    record.co2Avoided = wattHours * 615;
    record.cpuUsed = 10;
    return record;
}

TEST(SavingsPeriods, BarsSpanTheirPeriodsAndSumTheDaysInside)
{
    const int today = calendar::DayNumber({2026, 3, 4}); // a Wednesday
    const std::vector<DayRecord> days = {
        SavedOn(calendar::DayNumber({2025, 3, 31}), 3, 100), // before twelve months
        SavedOn(calendar::DayNumber({2025, 4, 1}), 3, 1),    // first day of the oldest month
        SavedOn(calendar::DayNumber({2026, 2, 1}), 2, 2),    // Sunday: ends a week
        SavedOn(calendar::DayNumber({2026, 2, 2}), 4, 4),    // Monday: starts one
        SavedOn(today - 29, 3, 8),                           // first of the 30 days
        SavedOn(today, 2, 16),
    };

    const std::vector<Bar> daily = Bars(days, today, Period::Days);
    ASSERT_EQ(daily.size(), 30u);
    EXPECT_EQ(daily.front().firstDay, today - 29);
    EXPECT_EQ(daily.back().lastDay, today);
    EXPECT_DOUBLE_EQ(daily.front().savedByMode[3], 8);
    EXPECT_DOUBLE_EQ(daily.back().savedByMode[2], 16);
    EXPECT_DOUBLE_EQ(Total(daily).Saved(), 24);
    EXPECT_DOUBLE_EQ(Total(daily).co2Avoided, 24 * 615);
    EXPECT_DOUBLE_EQ(Total(daily).cpuUsed, 20);

    const std::vector<Bar> weekly = Bars(days, today, Period::Weeks);
    ASSERT_EQ(weekly.size(), 12u);
    EXPECT_EQ(weekly.back().firstDay, calendar::DayNumber({2026, 3, 2}));
    EXPECT_EQ(weekly.back().lastDay, calendar::DayNumber({2026, 3, 8}));
    for (const Bar& bar : weekly)
        EXPECT_EQ(calendar::Weekday(bar.firstDay), 0);
    const Bar& endsSunday = weekly[6]; // 26 January - 1 February
    EXPECT_EQ(endsSunday.lastDay, calendar::DayNumber({2026, 2, 1}));
    EXPECT_DOUBLE_EQ(endsSunday.Saved(), 2);
    EXPECT_DOUBLE_EQ(weekly[7].savedByMode[4], 4);

    const std::vector<Bar> monthly = Bars(days, today, Period::Months);
    ASSERT_EQ(monthly.size(), 12u);
    EXPECT_EQ(monthly.front().firstDay, calendar::DayNumber({2025, 4, 1}));
    EXPECT_EQ(monthly.front().lastDay, calendar::DayNumber({2025, 4, 30}));
    EXPECT_DOUBLE_EQ(monthly.front().Saved(), 1);
    EXPECT_EQ(monthly[10].lastDay, calendar::DayNumber({2026, 2, 28}));
    EXPECT_DOUBLE_EQ(monthly[10].Saved(), 2 + 4 + 8);
    EXPECT_EQ(monthly.back().lastDay, calendar::DayNumber({2026, 3, 31}));
    EXPECT_DOUBLE_EQ(Total(monthly).Saved(), 31) << "all but the day before the twelve months";

    EXPECT_DOUBLE_EQ(Total(Bars({}, today, Period::Months)).Saved(), 0);
}

TEST(SavingsPeriods, MonthsRunAcrossTheTurnOfTheYear)
{
    const std::vector<Bar> monthly = Bars({}, calendar::DayNumber({2027, 1, 15}), Period::Months);
    EXPECT_EQ(monthly.front().firstDay, calendar::DayNumber({2026, 2, 1}));
    EXPECT_EQ(monthly[10].firstDay, calendar::DayNumber({2026, 12, 1}));
    EXPECT_EQ(monthly[10].lastDay, calendar::DayNumber({2026, 12, 31}));
    EXPECT_EQ(monthly.back().firstDay, calendar::DayNumber({2027, 1, 1}));
}

} // namespace
