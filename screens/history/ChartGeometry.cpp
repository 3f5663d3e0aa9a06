#include "screens/history/ChartGeometry.h"

#include <cmath>
#include <initializer_list>

namespace historyview {

ChartGeometry::ChartGeometry(int width, int height, int barCount) : width(width), height(height), barCount(barCount) {}

RECT ChartGeometry::Plot() const
{
    return {kScaleWidth, kTopMargin, width - kRightMargin, height - kLabelHeight};
}

RECT ChartGeometry::Column(int index) const
{
    const RECT plot = Plot();
    const int plotWidth = plot.right - plot.left;
    // Slots share the width exactly; a bar fills two thirds of its slot.
    const int slotLeft = plot.left + plotWidth * index / barCount;
    const int slotRight = plot.left + plotWidth * (index + 1) / barCount;
    const int gap = (slotRight - slotLeft) / 6;
    return {slotLeft + gap, plot.top, slotRight - gap, plot.bottom};
}

int ChartGeometry::BarAt(int x, int y) const
{
    const RECT plot = Plot();
    if (barCount <= 0 || y < plot.top || y >= plot.bottom + kLabelHeight || x < plot.left || x >= plot.right)
        return -1;
    // The whole slot answers, so that thin bars are easy to point at.
    return (x - plot.left) * barCount / (plot.right - plot.left);
}

double ScaleTop(double value)
{
    if (!(value > 0) || !std::isfinite(value))
        return 1;
    const double decade = std::pow(10.0, std::floor(std::log10(value)));
    for (double step : {1.0, 2.0, 5.0, 10.0})
        if (step * decade >= value * (1 - 1e-12))
            return step * decade;
    return 10 * decade;
}

} // namespace historyview
