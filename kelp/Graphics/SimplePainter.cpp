#include "kelp/Graphics/SimplePainter.h"

#include "kelp/Graphics/CanvasRoutines.h"
#include "kelp/System/Assert.h"

namespace kelp {

namespace {
const char* const kSource = "kelp/Graphics/SimplePainter";
}

template <typename Draw>
void SimplePainter::Paint(Draw draw)
{
    TCanvas& canvas = m_surface.Canvas();
    canvas.Lock();
    canvas.Brush().SetStyle(TBrushStyle::Solid);
    canvas.Brush().SetColor(m_brushColor);
    canvas.Pen().SetStyle(PS_SOLID);
    canvas.Pen().SetMode(R2_COPYPEN);
    canvas.Pen().SetColor(m_penColor);
    draw(canvas);
    canvas.Unlock();
}

void SimplePainter::FillRect(const RECT& r)
{
    Paint([&](TCanvas& c) { SolidRectangle(c, r); });
}

void SimplePainter::OutlineRect(const RECT& r)
{
    Paint([&](TCanvas& c) { OutlineRectangle(c, r); });
}

void SimplePainter::FillEllipse(const RECT& r)
{
    Paint([&](TCanvas& c) { SolidEllipse(c, r); });
}

void SimplePainter::OutlineEllipse(const RECT& r)
{
    Paint([&](TCanvas& c) { kelp::OutlineEllipse(c, r); });
}

void SimplePainter::FillRoundRect(const RECT& r, int cornerWidth, int cornerHeight)
{
    Paint([&](TCanvas& c) { SolidRoundRect(c, r, cornerWidth, cornerHeight); });
}

void SimplePainter::OutlineRoundRect(const RECT& r, int cornerWidth, int cornerHeight)
{
    Paint([&](TCanvas& c) { kelp::OutlineRoundRect(c, r, cornerWidth, cornerHeight); });
}

void SimplePainter::FillPolygon(const POINT* pointAry, int count)
{
    KELP_ASSERT(pointAry != NULL, kSource, 88);
    Paint([&](TCanvas& c) { SolidPolygon(c, pointAry, count); });
}

void SimplePainter::OutlinePolygon(const POINT* pointAry, int count)
{
    KELP_ASSERT(pointAry != NULL, kSource, 101);
    Paint([&](TCanvas& c) { kelp::OutlinePolygon(c, pointAry, count); });
}

void SimplePainter::CopyBitmap(int x, int y, TBitmap& bitmap, const RECT& source)
{
    Paint([&](TCanvas& c) { CopyBitmapRect(c, x, y, bitmap, source); });
}

} // namespace kelp
