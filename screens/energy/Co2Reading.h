#pragma once
// The CO2 readout as screen readers read it, in the language's words: the
// figure as the digits show it, its unit and the start of the period, as
// in "8.957 mg CO2 since 2026/12/09 18:39".

#include "screens/energy/Co2Row.h"

#include <string>

namespace energy {

std::string Co2ReadingText(const std::string& figure, MassUnit unit, const std::string& since);

} // namespace energy
