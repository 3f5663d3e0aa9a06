#include "framework/controls/TGraphicControl.h"

void TGraphicControl::Paint(HDC dc)
{
    m_canvas.SetHandle(dc);
    PaintControl(m_canvas);
    m_canvas.SetHandle(nullptr);
}
