#pragma once
// The savings history as comma-separated values: a header row, then one row
// a day with its ISO date, dot decimals and no thousands separators, the
// same whatever the user's locale. Every exporter (the window, the command
// line) formats through these functions, and whatever else lists the days
// by column (the command line's JSON) takes its names and figures from
// here.

#include "engine/SavingsHistory.h"

#include <string>
#include <vector>

namespace history {

// A column after the date: its header name, and whether it counts whole
// seconds (written as an integer) or holds a figure (six decimals).
struct CsvColumn {
    std::string name;
    bool seconds;
};

// The name of the first column, which holds the ISO date.
constexpr const char* kCsvDateColumn = "date";
// Every column after the date, in order.
const std::vector<CsvColumn>& CsvColumns();
// A day's value for each of CsvColumns(), unrounded.
std::vector<double> CsvValues(const DayRecord& record);

// The header row, ending in CR LF.
std::string CsvHeader();
// One day's row, ending in CR LF.
std::string CsvRow(const DayRecord& record);
// The header and every day, oldest first.
std::string CsvDocument(const std::vector<DayRecord>& days);

} // namespace history
