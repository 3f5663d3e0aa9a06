#include "screens/history/HistoryChart.h"

#include "kelp/Graphics/SimplePainter.h"
#include "kelp/widget/layout/BitmapEffects.h"
#include "screens/history/ChartGeometry.h"
#include "screens/history/HistoryFigures.h"

#include <algorithm>

namespace historyview {
namespace {

constexpr TColor Rgb(uint32_t rgb)
{
    return TColor(((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF));
}

// The recessed plate the chart sits on, its engraved rules and texts.
constexpr TColor kPlate = Rgb(0x17191E);
constexpr TColor kRuleDark = Rgb(0x0C0E11);
constexpr TColor kRuleLight = Rgb(0x24272B); // 5 % white over the plate
constexpr TColor kScaleText = Rgb(0x9AA3AE);
constexpr TColor kDateText = Rgb(0x8FA6B8);
constexpr TColor kEmptyText = Rgb(0x9AA3AE);
constexpr uint8_t kHoverOpacity = 30;

// Stacking order from the bottom, and each mode's light and deep colour.
struct ModeColours {
    int mode;
    TColor light;
    TColor deep;
};
constexpr ModeColours kStack[] = {
    {3, Rgb(0x3CC27A), Rgb(0x12804A)}, // Max Power Saving
    {2, Rgb(0x9CD63A), Rgb(0x5E9E14)}, // Medium Power Saving
    {4, Rgb(0x4FC3F7), Rgb(0x1577C0)}, // Auto
    {1, Rgb(0xFFA62B), Rgb(0xD06A08)}, // High Performance
    {0, Rgb(0xF04A3A), Rgb(0xB01E1E)}, // Turbo
};
constexpr int kRules = 4;

// A painter's surface over a bitmap that is shown later in one piece.
class BitmapSurface final : public kelp::DrawingSurface {
public:
    explicit BitmapSurface(TBitmap& bitmap) : bitmap_(bitmap) {}
    TCanvas& Canvas() override { return bitmap_.Canvas(); }
    void Flush() override {}

private:
    TBitmap& bitmap_;
};

void SetTextLook(TCanvas& canvas, const TFont& font, TColor colour)
{
    canvas.Font().Assign(font);
    canvas.Font().SetColor(colour);
    canvas.Brush().SetStyle(TBrushStyle::Clear);
}

// A white veil over the lit bar's column, laid on with the alpha blend.
void LightColumn(TBitmap& picture, const RECT& column)
{
    TBitmap veil;
    veil.SetPixelFormat(TPixelFormat::pf32bit);
    veil.SetSize(column.right - column.left, column.bottom - column.top);
    for (int y = 0; y < veil.Height(); ++y) {
        uint8_t* row = veil.ScanLine(y);
        std::fill(row, row + 4 * veil.Width(), uint8_t(0xFF));
    }
    veil.SetAlphaDefined(true);
    kelp::AlphaBlend(veil, {0, 0, veil.Width(), veil.Height()}, picture, {column.left, column.top}, kHoverOpacity);
}

} // namespace

HistoryChart::HistoryChart(TComponent* owner) : TGraphicControl(owner)
{
    picture_.SetPixelFormat(TPixelFormat::pf24bit);
    font_.SetName("Tahoma");
    font_.SetHeight(-10);
}

void HistoryChart::SetLegend(std::vector<std::string> names)
{
    legend_ = std::move(names);
    stale_ = true;
    Invalidate();
}

void HistoryChart::SetBars(std::vector<history::Bar> bars, history::Period period)
{
    bars_ = std::move(bars);
    period_ = period;
    hovered_ = -1;
    stale_ = true;
    Invalidate();
}

void HistoryChart::SetEmptyText(std::string text)
{
    emptyText_ = std::move(text);
    stale_ = true;
    Invalidate();
}

void HistoryChart::SetHovered(int index)
{
    if (index < -1 || index >= int(bars_.size()))
        index = -1;
    if (index == hovered_)
        return;
    hovered_ = index;
    stale_ = true;
    Invalidate();
    if (OnHover)
        OnHover(hovered_);
}

void HistoryChart::MouseMove(TShiftState shift, int x, int y)
{
    TGraphicControl::MouseMove(shift, x, y);
    SetHovered(ChartGeometry(Width(), Height(), int(bars_.size())).BarAt(x, y));
}

void HistoryChart::PaintControl(TCanvas& canvas)
{
    if (stale_ || picture_.Width() != Width() || picture_.Height() != Height())
        Render();
    canvas.Draw(0, 0, picture_);
}

void HistoryChart::Render()
{
    stale_ = false;
    picture_.SetSize(Width(), Height());
    BitmapSurface surface(picture_);
    kelp::SimplePainter painter(surface);
    TCanvas& canvas = picture_.Canvas();
    painter.SetPenColor(kPlate);
    painter.SetBrushColor(kPlate);
    painter.FillRect({0, 0, Width(), Height()});

    const ChartGeometry geometry(Width(), Height(), int(bars_.size()));
    const RECT plot = geometry.Plot();
    double highest = 0;
    for (const history::Bar& bar : bars_)
        highest = std::max(highest, bar.Saved());
    const double top = ScaleTop(highest);
    const int plotHeight = plot.bottom - plot.top;

    // Engraved rules with their values, the lowest one the base line.
    SetTextLook(canvas, font_, kScaleText);
    for (int i = 0; i <= kRules; ++i) {
        const int y = plot.bottom - plotHeight * i / kRules;
        painter.SetPenColor(kRuleDark);
        painter.SetBrushColor(kRuleDark);
        painter.FillRect({plot.left, y - 1, plot.right, y});
        painter.SetPenColor(kRuleLight);
        painter.SetBrushColor(kRuleLight);
        painter.FillRect({plot.left, y, plot.right, y + 1});
        RECT label{0, y - 7, plot.left - 6, y + 7};
        canvas.DrawText(ScaleText(top * i / kRules, top), label, DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }

    // Stacked bars: each mode's share, deep colour with a light top edge.
    for (int i = 0; i < int(bars_.size()); ++i) {
        const RECT column = geometry.Column(i);
        double below = 0;
        for (const ModeColours& colours : kStack) {
            const double saved = bars_[i].savedByMode[colours.mode];
            if (!(saved > 0))
                continue;
            const int bottom = plot.bottom - int(plotHeight * below / top + 0.5);
            below += saved;
            const int upper = plot.bottom - int(plotHeight * below / top + 0.5);
            if (upper >= bottom)
                continue;
            painter.SetPenColor(colours.deep);
            painter.SetBrushColor(colours.deep);
            painter.FillRect({column.left, upper, column.right, bottom});
            painter.SetPenColor(colours.light);
            painter.SetBrushColor(colours.light);
            painter.FillRect({column.left, upper, column.right, upper + 1});
        }
    }
    if (hovered_ >= 0)
        LightColumn(picture_, geometry.Column(hovered_));

    // Dates under the bars, as many as fit without touching.
    SetTextLook(canvas, font_, kDateText);
    const int count = int(bars_.size());
    const int every = count > 12 ? 5 : 1;
    for (int i = count - 1; i >= 0; i -= every) {
        const RECT column = geometry.Column(i);
        const int middle = (column.left + column.right) / 2;
        RECT label{middle - 30, plot.bottom + 3, middle + 30, Height()};
        canvas.DrawText(AxisLabel(bars_[i], period_), label, DT_CENTER | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
    }

    // The legend along the top right: a swatch and the name of each saving mode.
    SetTextLook(canvas, font_, kScaleText);
    int right = plot.right;
    for (int i = std::min(int(legend_.size()), 3) - 1; i >= 0; --i) {
        const SIZE size = canvas.TextExtent(legend_[i]);
        RECT label{right - size.cx, 2, right, plot.top};
        canvas.DrawText(legend_[i], label, DT_RIGHT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
        const int swatch = right - size.cx - 12;
        painter.SetPenColor(kStack[i].deep);
        painter.SetBrushColor(kStack[i].light);
        painter.FillRect({swatch, 4, swatch + 8, 12});
        SetTextLook(canvas, font_, kScaleText);
        right = swatch - 14;
    }

    if (highest <= 0 && !emptyText_.empty()) {
        SetTextLook(canvas, font_, kEmptyText);
        RECT middle = plot;
        middle.bottom -= plotHeight / 3;
        canvas.DrawText(emptyText_, middle, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
}

} // namespace historyview
