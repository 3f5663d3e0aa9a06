#include "VtPackage/VtCaption.h"

void VtCaption::Draw(TCanvas& canvas, const std::string& text, TColor color, UINT format)
{
    RECT rect = m_bounds;
    if (m_offsetPending) {
        m_offsetPending = false;
        OffsetRect(&rect, m_dispX, m_dispY);
    }
    TFont previousFont;
    previousFont.Assign(canvas.Font());
    const TBrushStyle previousStyle = canvas.Brush().Style();
    canvas.Font().Assign(m_font);
    canvas.Font().SetColor(color);
    canvas.Brush().SetStyle(TBrushStyle::Clear);
    canvas.DrawText(text, rect, format);
    canvas.Brush().SetStyle(previousStyle);
    canvas.Font().Assign(previousFont);
}
