#include "framework/graphics/Brush.h"

void TBrush::Assign(const TBrush& source)
{
    if (&source == this)
        return;
    m_color = source.m_color;
    m_style = source.m_style;
    Changed();
}

void TBrush::SetColor(TColor color)
{
    if (color != m_color || m_style == TBrushStyle::Clear) {
        m_color = color;
        m_style = TBrushStyle::Solid;
        Changed();
    }
}

void TBrush::SetStyle(TBrushStyle style)
{
    if (style != m_style) {
        m_style = style;
        Changed();
    }
}

HBRUSH TBrush::Handle()
{
    if (m_stale || !m_handle) {
        m_retired = std::move(m_handle);
        if (m_style == TBrushStyle::Clear)
            m_handle.Reset(GetStockObject(NULL_BRUSH)); // stock objects ignore DeleteObject
        else
            m_handle.Reset(CreateSolidBrush(ColorToRGB(m_color)));
        m_stale = false;
    }
    return static_cast<HBRUSH>(m_handle.Get());
}

void TBrush::Changed()
{
    m_stale = true;
    if (OnChange)
        OnChange(this);
}
