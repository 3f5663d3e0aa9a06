#include "screens/history/HistoryFigures.h"

#include "engine/CalendarDay.h"

#include <cstdio>

namespace historyview {
namespace {

std::string Fixed(double value, int places, const char* unit)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.*f %s", places, value, unit);
    return text;
}

std::string IsoDate(int day)
{
    char text[11];
    calendar::FormatIsoDate(day, text);
    return text;
}

} // namespace

std::string EnergyText(double wattHours)
{
    // The unit changes where the rounded figure would reach 1000.
    return wattHours < 999.995 ? Fixed(wattHours, 2, "Wh") : Fixed(wattHours / 1000, 2, "kWh");
}

std::string ScaleText(double wattHours, double top)
{
    const bool kilo = top >= 1000;
    const double value = kilo ? wattHours / 1000 : wattHours;
    const double span = kilo ? top / 1000 : top;
    // Quarter steps of a 1, 2 or 5 top need two places below 10 and one below 100.
    const int places = span >= 100 ? 0 : span >= 10 ? 1 : 2;
    return Fixed(value, places, kilo ? "kWh" : "Wh");
}

std::string Co2Text(double milligrams)
{
    if (milligrams < 999.5)
        return Fixed(milligrams, 0, "mg");
    if (milligrams < 999950)
        return Fixed(milligrams / 1000, 1, "g");
    return Fixed(milligrams / 1000000, 2, "kg");
}

std::string SpanText(const history::Bar& bar)
{
    const std::string first = IsoDate(bar.firstDay);
    return bar.firstDay == bar.lastDay ? first : first + " - " + IsoDate(bar.lastDay);
}

std::string AxisLabel(const history::Bar& bar, history::Period period)
{
    const std::string date = IsoDate(bar.firstDay);
    return period == history::Period::Months ? date.substr(0, 7) : date.substr(5);
}

std::string Amounts(const history::Bar& bar, const Translation& translate)
{
    return translate("HistorySaved") + ": " + EnergyText(bar.Saved()) + kFiguresGap + translate("HistoryCo2") + ": " +
           Co2Text(bar.co2Avoided) + kFiguresGap + translate("HistoryCpu") + ": " + EnergyText(bar.cpuUsed);
}

std::string FiguresLine(const history::Bar& bar, const Translation& translate)
{
    return SpanText(bar) + kFiguresGap + Amounts(bar, translate);
}

} // namespace historyview
