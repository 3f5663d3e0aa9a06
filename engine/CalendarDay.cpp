#include "engine/CalendarDay.h"

#include <cstdio>

namespace calendar {

// The civil-calendar conversions count in 400-year eras of 146097 days,
// starting each year on 1 March so that the leap day comes last.
int DayNumber(const Date& date)
{
    const int y = date.year - (date.month <= 2 ? 1 : 0);
    const int era = (y >= 0 ? y : y - 399) / 400;
    const int yearOfEra = y - era * 400;
    const int dayOfYear = (153 * (date.month + (date.month > 2 ? -3 : 9)) + 2) / 5 + date.day - 1;
    const int dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

Date DateOf(int dayNumber)
{
    const int z = dayNumber + 719468;
    const int era = (z >= 0 ? z : z - 146096) / 146097;
    const int dayOfEra = z - era * 146097;
    const int yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int mp = (5 * dayOfYear + 2) / 153;
    Date date;
    date.day = dayOfYear - (153 * mp + 2) / 5 + 1;
    date.month = mp < 10 ? mp + 3 : mp - 9;
    date.year = yearOfEra + era * 400 + (date.month <= 2 ? 1 : 0);
    return date;
}

int Weekday(int dayNumber)
{
    // 1970-01-01 was a Thursday.
    const int fromMonday = (dayNumber + 3) % 7;
    return fromMonday < 0 ? fromMonday + 7 : fromMonday;
}

void FormatIsoDate(int dayNumber, char (&text)[11])
{
    const Date date = DateOf(dayNumber);
    // Years outside 0-9999 never reach here: the history keeps recent days only.
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", date.year % 10000, date.month, date.day);
}

} // namespace calendar
