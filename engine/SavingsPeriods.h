#pragma once
// The savings history summed into the bars of a chart: the last 30 days,
// the last 12 weeks (Monday to Sunday) or the last 12 calendar months, each
// ending with the one that holds today. Days without a record count as
// nothing saved.

#include "engine/SavingsHistory.h"

#include <vector>

namespace history {

enum class Period { Days, Weeks, Months };

struct Bar {
    int firstDay = 0; // calendar day numbers, both included
    int lastDay = 0;
    std::array<double, kModes> savedByMode{}; // board and graphics card, Wh
    double cpuUsed = 0;                       // Wh
    double co2Avoided = 0;                    // mg
    double Saved() const;
};

// Oldest first: 30 days, 12 weeks or 12 months.
std::vector<Bar> Bars(const std::vector<DayRecord>& days, int today, Period period);
// The sum of the bars, spanning all of them.
Bar Total(const std::vector<Bar>& bars);

} // namespace history
