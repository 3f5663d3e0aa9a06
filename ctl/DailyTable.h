#pragma once
// The savings history as a table for people: a row a day with its ISO
// date, the energy saved, the CO2 avoided, the CPU energy used and the time
// Pellix ran that day, then the sums; texts in the user's language.

#include "engine/SavingsHistory.h"

#include <string>
#include <vector>

namespace ctl {

std::string DailyTable(const std::vector<history::DayRecord>& days);

} // namespace ctl
