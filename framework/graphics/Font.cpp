#include "framework/graphics/Font.h"

#include <cstring>

int ScreenPixelsPerInch()
{
    static const int dpi = [] {
        HDC screen = GetDC(nullptr);
        int value = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
        if (screen)
            ReleaseDC(nullptr, screen);
        return value > 0 ? value : 96;
    }();
    return dpi;
}

TFont::TFont() = default;

void TFont::Assign(const TFont& source)
{
    if (&source == this)
        return;
    m_name = source.m_name;
    m_height = source.m_height;
    m_color = source.m_color;
    m_style = source.m_style;
    m_charset = source.m_charset;
    Changed();
}

void TFont::SetName(const std::string& name)
{
    if (name != m_name) {
        m_name = name;
        Changed();
    }
}

void TFont::SetHeight(int height)
{
    if (height != m_height) {
        m_height = height;
        Changed();
    }
}

int TFont::Size() const
{
    return -MulDiv(m_height, 72, ScreenPixelsPerInch());
}

void TFont::SetSize(int points)
{
    SetHeight(-MulDiv(points, ScreenPixelsPerInch(), 72));
}

void TFont::SetColor(TColor color)
{
    if (color != m_color) {
        m_color = color;
        Changed();
    }
}

void TFont::SetStyle(unsigned style)
{
    if (style != m_style) {
        m_style = style;
        Changed();
    }
}

void TFont::SetCharset(BYTE charset)
{
    if (charset != m_charset) {
        m_charset = charset;
        Changed();
    }
}

HFONT TFont::Handle()
{
    if (m_stale || !m_handle) {
        m_retired = std::move(m_handle);
        LOGFONTA logFont{};
        logFont.lfHeight = m_height;
        logFont.lfWeight = (m_style & fsBold) ? FW_BOLD : FW_NORMAL;
        logFont.lfItalic = (m_style & fsItalic) != 0;
        logFont.lfUnderline = (m_style & fsUnderline) != 0;
        logFont.lfStrikeOut = (m_style & fsStrikeOut) != 0;
        logFont.lfCharSet = m_charset;
        logFont.lfOutPrecision = OUT_DEFAULT_PRECIS;
        logFont.lfClipPrecision = CLIP_DEFAULT_PRECIS;
        logFont.lfQuality = DEFAULT_QUALITY;
        logFont.lfPitchAndFamily = DEFAULT_PITCH;
        strncpy(logFont.lfFaceName, m_name.c_str(), LF_FACESIZE - 1);
        m_handle.Reset(CreateFontIndirectA(&logFont));
        m_stale = false;
    }
    return static_cast<HFONT>(m_handle.Get());
}

void TFont::Changed()
{
    m_stale = true;
    if (OnChange)
        OnChange(this);
}
