#pragma once
// The CO2 readout as screen readers read it, in the language's words: the
// figure as the digits show it, its unit and the start of the period, as
// in "8.957 mg CO2 since 2026/12/09 18:39"; and the CPU form's readouts.

#include "screens/energy/Co2Row.h"

#include <string>

namespace energy {

std::string Co2ReadingText(const std::string& figure, MassUnit unit, const std::string& since);
// The CPU form's readouts: "12.34 W"; "123.456789 Wh" while the factor
// (x 10^-3 kWh) is shown, else "1.000000 kWh".
std::string PowerReadingText(const std::string& figure);
std::string EnergyReadingText(const std::string& figure, bool factorShown);

} // namespace energy
