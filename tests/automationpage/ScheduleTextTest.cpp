// The schedule's times and weekdays as the page writes and reads them.

#include "screens/automation/ScheduleText.h"

#include <gtest/gtest.h>

using namespace automationpage;

TEST(ScheduleText, TimesAreReadAsHoursAndMinutes)
{
    EXPECT_EQ(ParseTime("08:30"), 8 * 60 + 30);
    EXPECT_EQ(ParseTime("8:30"), 8 * 60 + 30);
    EXPECT_EQ(ParseTime(" 23.59 "), 23 * 60 + 59);
    EXPECT_EQ(ParseTime("0:00"), 0);
    for (const char* bad : {"", "24:00", "12:60", "830", "8:3", "08:300", "123:00", "a8:30", "08:3x", ":30", "-1:30",
                            "08:30:00"})
        EXPECT_EQ(ParseTime(bad), std::nullopt) << bad;
    EXPECT_EQ(TimeText(8 * 60 + 5), "08:05");
    EXPECT_EQ(TimeText(0), "00:00");
    EXPECT_EQ(TimeText(24 * 60 - 1), "23:59");
    EXPECT_EQ(TimeText(24 * 60), "");
    EXPECT_EQ(TimeText(-1), "");
    for (int minute = 0; minute < 24 * 60; minute += 37)
        EXPECT_EQ(ParseTime(TimeText(minute)), minute);
}

TEST(ScheduleText, WeekdaysAreListedMondayFirstWithRunsShortened)
{
    const std::array<std::string, 7> names = {"Mo", "Tu", "We", "Th", "Fr", "Sa", "Su"};
    // Bit 0 is Sunday.
    EXPECT_EQ(DayBit(0), 0x02) << "Monday";
    EXPECT_EQ(DayBit(6), 0x01) << "Sunday";
    EXPECT_EQ(DaysText(0x3E, names, "Every day"), "Mo-Fr");
    EXPECT_EQ(DaysText(0x7F, names, "Every day"), "Every day");
    EXPECT_EQ(DaysText(0x41, names, "Every day"), "Sa, Su");
    EXPECT_EQ(DaysText(0x2A, names, "Every day"), "Mo, We, Fr");
    EXPECT_EQ(DaysText(0x4F, names, "Every day"), "Mo-We, Sa, Su");
    EXPECT_EQ(DaysText(0x71, names, "Every day"), "Th-Su");
    EXPECT_EQ(DaysText(0x06, names, "Every day"), "Mo, Tu");
    EXPECT_EQ(DaysText(0, names, "Every day"), "");
}
