#include "kelp/Graphics/CanvasRoutines.h"

namespace kelp {

namespace {

template <typename Draw>
void WithClearBrush(TCanvas& canvas, Draw draw)
{
    TBrushStyle previous = canvas.Brush().Style();
    canvas.Brush().SetStyle(TBrushStyle::Clear);
    draw();
    canvas.Brush().SetStyle(previous);
}

template <typename Draw>
void WithPenInBrushColor(TCanvas& canvas, Draw draw)
{
    TColor previous = canvas.Pen().Color();
    canvas.Pen().SetColor(canvas.Brush().Color());
    draw();
    canvas.Pen().SetColor(previous);
}

} // namespace

void OutlineRectangle(TCanvas& canvas, const RECT& r)
{
    WithClearBrush(canvas, [&] { canvas.Rectangle(r.left, r.top, r.right, r.bottom); });
}

void OutlineEllipse(TCanvas& canvas, const RECT& r)
{
    WithClearBrush(canvas, [&] { canvas.Ellipse(r.left, r.top, r.right, r.bottom); });
}

void OutlineRoundRect(TCanvas& canvas, const RECT& r, int cornerWidth, int cornerHeight)
{
    WithClearBrush(canvas, [&] { canvas.RoundRect(r.left, r.top, r.right, r.bottom, cornerWidth, cornerHeight); });
}

void OutlinePolygon(TCanvas& canvas, const POINT* points, int count)
{
    WithClearBrush(canvas, [&] { canvas.Polygon(points, count); });
}

void SolidRectangle(TCanvas& canvas, const RECT& r)
{
    WithPenInBrushColor(canvas, [&] { canvas.Rectangle(r.left, r.top, r.right, r.bottom); });
}

void SolidEllipse(TCanvas& canvas, const RECT& r)
{
    WithPenInBrushColor(canvas, [&] { canvas.Ellipse(r.left, r.top, r.right, r.bottom); });
}

void SolidRoundRect(TCanvas& canvas, const RECT& r, int cornerWidth, int cornerHeight)
{
    WithPenInBrushColor(canvas, [&] { canvas.RoundRect(r.left, r.top, r.right, r.bottom, cornerWidth, cornerHeight); });
}

void SolidPolygon(TCanvas& canvas, const POINT* points, int count)
{
    WithPenInBrushColor(canvas, [&] { canvas.Polygon(points, count); });
}

void CopyBitmapRect(TCanvas& canvas, int x, int y, TBitmap& bitmap, const RECT& source)
{
    DWORD previous = canvas.CopyMode();
    canvas.SetCopyMode(SRCCOPY);
    canvas.CopyRect(RECT{x, y, x + source.right - source.left, y + source.bottom - source.top}, bitmap.Canvas(), source);
    canvas.SetCopyMode(previous);
}

} // namespace kelp
