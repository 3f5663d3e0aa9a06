#pragma once
// The savings history as comma-separated values: a header row, then one row
// a day with its ISO date, dot decimals and no thousands separators, the
// same whatever the user's locale. Every exporter (the window, the command
// line) formats through these functions.

#include "engine/SavingsHistory.h"

#include <string>
#include <vector>

namespace history {

// The header row, ending in CR LF.
std::string CsvHeader();
// One day's row, ending in CR LF.
std::string CsvRow(const DayRecord& record);
// The header and every day, oldest first.
std::string CsvDocument(const std::vector<DayRecord>& days);

} // namespace history
