#pragma once
// The texts of the history view built from the bars: amounts with their
// unit (Wh or kWh, mg, g or kg), a bar's dates, its figures and the period's
// totals. The words come from the caller's translation, so that this logic
// runs without language files.

#include "engine/SavingsPeriods.h"

#include <functional>
#include <string>

namespace historyview {

using Translation = std::function<std::string(const char* key)>;

// Between the parts of every line of figures.
inline constexpr char kFiguresGap[] = "  ";

// "52.30 Wh", "1.25 kWh".
std::string EnergyText(double wattHours);
// A value on a scale that runs to `top`, with no more places than the
// scale's steps need: "75 Wh", "2.5 Wh", "1.5 kWh".
std::string ScaleText(double wattHours, double top);
// "615 mg", "32.1 g", "1.23 kg".
std::string Co2Text(double milligrams);
// A day "2026-12-09"; a week or month "2026-12-07 - 2026-12-13".
std::string SpanText(const history::Bar& bar);
// Short label under a bar: a day or week as "12-09", a month as "2026-12".
std::string AxisLabel(const history::Bar& bar, history::Period period);
// "Saved: 52.30 Wh  CO2 avoided: 32.1 g  CPU used: 410.00 Wh".
std::string Amounts(const history::Bar& bar, const Translation& translate);
// The bar's span, then its amounts.
std::string FiguresLine(const history::Bar& bar, const Translation& translate);

} // namespace historyview
