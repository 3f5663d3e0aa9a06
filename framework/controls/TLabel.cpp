#include "framework/controls/TLabel.h"

TLabel::TLabel(TComponent* owner) : TGraphicControl(owner)
{
    m_font.OnChange = [this](TObject*) { Invalidate(); };
    SetControlStyle(ControlStyle() | csOpaque);
    SetAccRole(TAccRole::StaticText);
}

void TLabel::SetTransparent(bool transparent)
{
    if (transparent == m_transparent)
        return;
    m_transparent = transparent;
    SetControlStyle(transparent ? (ControlStyle() & ~csOpaque) : (ControlStyle() | csOpaque));
    Invalidate();
}

void TLabel::SetWordWrap(bool wordWrap)
{
    if (wordWrap != m_wordWrap) {
        m_wordWrap = wordWrap;
        Invalidate();
    }
}

void TLabel::SetAlignment(UINT alignment)
{
    if (alignment != m_alignment) {
        m_alignment = alignment;
        Invalidate();
    }
}

void TLabel::PaintControl(TCanvas& canvas)
{
    RECT area{0, 0, Width(), Height()};
    if (!m_transparent && Color() != clNone) {
        canvas.Brush().SetColor(Color());
        canvas.FillRect(area);
    }
    canvas.Font().Assign(m_font);
    canvas.Brush().SetStyle(TBrushStyle::Clear);
    canvas.DrawText(Caption(), area, m_alignment | DT_NOPREFIX | (m_wordWrap ? DT_WORDBREAK : DT_SINGLELINE));
}
