#include "framework/graphics/Pen.h"

void TPen::Assign(const TPen& source)
{
    if (&source == this)
        return;
    m_color = source.m_color;
    m_style = source.m_style;
    m_width = source.m_width;
    m_mode = source.m_mode;
    Changed();
}

void TPen::SetColor(TColor color)
{
    if (color != m_color) {
        m_color = color;
        Changed();
    }
}

void TPen::SetStyle(int style)
{
    if (style != m_style) {
        m_style = style;
        Changed();
    }
}

void TPen::SetWidth(int width)
{
    if (width != m_width) {
        m_width = width;
        Changed();
    }
}

void TPen::SetMode(int mode)
{
    if (mode != m_mode) {
        m_mode = mode;
        Changed();
    }
}

HPEN TPen::Handle()
{
    if (m_stale || !m_handle) {
        m_retired = std::move(m_handle);
        m_handle.Reset(CreatePen(m_style, m_width, ColorToRGB(m_color)));
        m_stale = false;
    }
    return static_cast<HPEN>(m_handle.Get());
}

void TPen::Changed()
{
    m_stale = true;
    if (OnChange)
        OnChange(this);
}
