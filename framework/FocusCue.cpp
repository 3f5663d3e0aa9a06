#include "framework/FocusCue.h"

namespace {

TFocusCuePainter& Painter()
{
    static TFocusCuePainter painter;
    return painter;
}

} // namespace

void SetFocusCuePainter(TFocusCuePainter painter)
{
    Painter() = std::move(painter);
}

void PaintFocusCue(HDC dc, const RECT& rect, TFocusCueShape shape)
{
    if (shape == TFocusCueShape::None || IsRectEmpty(&rect))
        return;
    if (Painter()) {
        Painter()(dc, rect, shape);
        return;
    }
    RECT inner = rect;
    InflateRect(&inner, -1, -1);
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkColor(dc, RGB(255, 255, 255));
    DrawFocusRect(dc, &inner);
}
