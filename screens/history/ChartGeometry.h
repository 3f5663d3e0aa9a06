#pragma once
// Where the history chart puts things inside its own rectangle: the plot
// beside the value scale and above the date labels, one slot per bar with
// the bar in its middle, and the scale's top rounded up to a round number.

#include <windows.h>

namespace historyview {

struct ChartGeometry {
    static constexpr int kScaleWidth = 58; // value labels, left of the plot
    static constexpr int kLabelHeight = 18; // date labels, under the plot
    static constexpr int kTopMargin = 22; // the legend
    static constexpr int kRightMargin = 8;

    ChartGeometry(int width, int height, int barCount);

    RECT Plot() const;
    // The bar's full-height column (its top is the scale's top).
    RECT Column(int index) const;
    // The bar under x (chart coordinates), or -1 between and beside bars.
    int BarAt(int x, int y) const;

    int width;
    int height;
    int barCount;
};

// 1, 2 or 5 times a power of ten, at least `value` (1 for nothing).
double ScaleTop(double value);

} // namespace historyview
