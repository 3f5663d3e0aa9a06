#pragma once
// The history view's bar chart: one bar per day, week or month, stacked by
// the colours of the modes that saved the energy, a value scale on the left
// and dates under the bars. The bar under the pointer is lit and reported.
// Drawn into a bitmap of the control's size with the package's painter and
// alpha blend, then copied in one piece, so it stays crisp and flicker-free.

#include "engine/SavingsPeriods.h"
#include "framework/controls/TGraphicControl.h"
#include "framework/graphics/Bitmap.h"

#include <functional>
#include <string>
#include <vector>

namespace historyview {

class HistoryChart : public TGraphicControl {
public:
    explicit HistoryChart(TComponent* owner);

    // The bars to draw, oldest first; clears the lit bar.
    void SetBars(std::vector<history::Bar> bars, history::Period period);
    // Shown over an empty chart.
    void SetEmptyText(std::string text);
    // The saving modes' names in the legend: Max Power Saving, Medium, Auto.
    void SetLegend(std::vector<std::string> names);
    // The look of every text the chart draws (its character set follows
    // the language).
    TFont& TextFont() { return font_; }
    // -1 for none.
    void SetHovered(int index);
    int Hovered() const { return hovered_; }
    const std::vector<history::Bar>& Bars() const { return bars_; }
    // Called with the lit bar's index (or -1) whenever it changes.
    std::function<void(int)> OnHover;

    void MouseMove(TShiftState shift, int x, int y) override;

protected:
    void PaintControl(TCanvas& canvas) override;

private:
    void Render();

    std::vector<history::Bar> bars_;
    history::Period period_ = history::Period::Days;
    std::string emptyText_;
    std::vector<std::string> legend_;
    TFont font_;
    int hovered_ = -1;
    TBitmap picture_;
    bool stale_ = true;
};

} // namespace historyview
