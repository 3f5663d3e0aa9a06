#pragma once
// Calendar dates as day numbers (days since 1970-01-01 in the proleptic
// Gregorian calendar), so that days compare, subtract and step by one.
// Plain C++: the history's decoder and its fuzzer use it too.

namespace calendar {

struct Date {
    int year = 1970;
    int month = 1; // 1-12
    int day = 1;   // 1-31
};

int DayNumber(const Date& date);
Date DateOf(int dayNumber);
// 0 Monday ... 6 Sunday.
int Weekday(int dayNumber);
// The date in ISO form, "2026-12-09".
void FormatIsoDate(int dayNumber, char (&text)[11]);

} // namespace calendar
