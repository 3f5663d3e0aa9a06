#include "framework/controls/TPanel.h"

TPanel::TPanel(TComponent* owner) : TWinControl(owner)
{
    m_canvas.Font().OnChange = [this](TObject*) { Invalidate(); };
}

void TPanel::PaintWindow(HDC dc)
{
    m_canvas.SetHandle(dc);
    RECT area{0, 0, ClientWidth(), ClientHeight()};
    if (Color() != clNone) {
        m_canvas.Brush().SetColor(Color());
        m_canvas.FillRect(area);
    }
    m_canvas.Brush().SetStyle(TBrushStyle::Clear);
    m_canvas.DrawText(Caption(), area, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    m_canvas.SetHandle(nullptr);
}
