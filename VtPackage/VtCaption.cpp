#include "VtPackage/VtCaption.h"

#include <memory>

std::function<void(TCanvas&)> VtCaption::Drawing(const std::string& text, TColor color, UINT format)
{
    RECT rect = m_bounds;
    if (m_offsetPending) {
        m_offsetPending = false;
        OffsetRect(&rect, m_dispX, m_dispY);
    }
    auto font = std::make_shared<TFont>();
    font->Assign(m_font);
    font->SetColor(color);
    return [font, text, rect, format](TCanvas& canvas) {
        TFont previousFont;
        previousFont.Assign(canvas.Font());
        const TBrushStyle previousStyle = canvas.Brush().Style();
        canvas.Font().Assign(*font);
        canvas.Brush().SetStyle(TBrushStyle::Clear);
        RECT bounds = rect;
        canvas.DrawText(text, bounds, format);
        canvas.Brush().SetStyle(previousStyle);
        canvas.Font().Assign(previousFont);
    };
}
