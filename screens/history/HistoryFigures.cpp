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
    return wattHours < 1000 ? Fixed(wattHours, 2, "Wh") : Fixed(wattHours / 1000, 2, "kWh");
}

std::string Co2Text(double milligrams)
{
    if (milligrams < 1000)
        return Fixed(milligrams, 0, "mg");
    if (milligrams < 1000000)
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

std::string FiguresLine(const history::Bar& bar, const Translation& translate)
{
    return SpanText(bar) + "   " + translate("HistorySaved") + ": " + EnergyText(bar.Saved()) + "   " +
           translate("HistoryCo2") + ": " + Co2Text(bar.co2Avoided) + "   " + translate("HistoryCpu") + ": " +
           EnergyText(bar.cpuUsed);
}

} // namespace historyview
