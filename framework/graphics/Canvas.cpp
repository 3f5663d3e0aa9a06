#include "framework/graphics/Canvas.h"

#include "framework/graphics/Bitmap.h"

TCanvas::TCanvas() = default;

TCanvas::~TCanvas()
{
    // Subclasses free their own DC; an external one only gets its objects back.
    Deselect(kFont | kPen | kBrush);
}

HDC TCanvas::Handle()
{
    if (!m_dc)
        CreateHandle();
    return m_dc;
}

void TCanvas::SetHandle(HDC dc)
{
    if (dc == m_dc)
        return;
    ReleaseHandle();
    m_dc = dc;
}

void TCanvas::ReleaseHandle()
{
    Deselect(kFont | kPen | kBrush);
    m_dc = nullptr;
}

void TCanvas::Lock()
{
    m_lock.lock();
    ++m_lockCount;
}

void TCanvas::Unlock()
{
    --m_lockCount;
    m_lock.unlock();
}

void TCanvas::Deselect(unsigned what)
{
    if (!m_dc) {
        m_selected &= ~what;
        return;
    }
    if ((what & kFont) && (m_selected & kFont))
        SelectObject(m_dc, m_originalFont);
    if ((what & kPen) && (m_selected & kPen))
        SelectObject(m_dc, m_originalPen);
    if ((what & kBrush) && (m_selected & kBrush))
        SelectObject(m_dc, m_originalBrush);
    m_selected &= ~what;
}

void TCanvas::Require(unsigned what)
{
    HDC dc = Handle();
    if (!dc)
        return;
    // The attribute objects recreate their handles after a change, so a
    // handle that differs from the selected one is selected again.
    auto select = [&](unsigned bit, HGDIOBJ object, HGDIOBJ& current, HGDIOBJ& original) {
        if ((m_selected & bit) && current == object)
            return;
        HGDIOBJ previous = SelectObject(dc, object);
        if (!(m_selected & bit))
            original = previous;
        current = object;
        m_selected |= bit;
    };
    if (what & kFont)
        select(kFont, m_font.Handle(), m_currentFont, m_originalFont);
    if (what & kPen) {
        select(kPen, m_pen.Handle(), m_currentPen, m_originalPen);
        SetROP2(dc, m_pen.Mode());
    }
    if (what & kBrush)
        select(kBrush, m_brush.Handle(), m_currentBrush, m_originalBrush);
}

void TCanvas::PrepareText()
{
    Require(kFont | kBrush);
    HDC dc = Handle();
    SetTextColor(dc, ColorToRGB(m_font.Color()));
    if (m_brush.Style() == TBrushStyle::Clear) {
        SetBkMode(dc, TRANSPARENT);
    } else {
        SetBkMode(dc, OPAQUE);
        SetBkColor(dc, ColorToRGB(m_brush.Color()));
    }
}

void TCanvas::Changed()
{
    if (OnChange)
        OnChange(this);
}

void TCanvas::FillRect(const RECT& rect)
{
    Require(kBrush);
    ::FillRect(Handle(), &rect, m_brush.Handle());
    Changed();
}

void TCanvas::Rectangle(int left, int top, int right, int bottom)
{
    Require(kPen | kBrush);
    ::Rectangle(Handle(), left, top, right, bottom);
    Changed();
}

void TCanvas::Ellipse(int left, int top, int right, int bottom)
{
    Require(kPen | kBrush);
    ::Ellipse(Handle(), left, top, right, bottom);
    Changed();
}

void TCanvas::RoundRect(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight)
{
    Require(kPen | kBrush);
    ::RoundRect(Handle(), left, top, right, bottom, cornerWidth, cornerHeight);
    Changed();
}

void TCanvas::Polygon(const POINT* points, int count)
{
    Require(kPen | kBrush);
    ::Polygon(Handle(), points, count);
    Changed();
}

void TCanvas::MoveTo(int x, int y)
{
    MoveToEx(Handle(), x, y, nullptr);
}

void TCanvas::LineTo(int x, int y)
{
    Require(kPen | kBrush);
    ::LineTo(Handle(), x, y);
    Changed();
}

void TCanvas::TextOut(int x, int y, const std::string& text)
{
    PrepareText();
    ::TextOutA(Handle(), x, y, text.c_str(), static_cast<int>(text.size()));
    Changed();
}

int TCanvas::DrawText(const std::string& text, RECT& rect, UINT format)
{
    PrepareText();
    int height = ::DrawTextA(Handle(), text.c_str(), -1, &rect, format);
    if (!(format & DT_CALCRECT))
        Changed();
    return height;
}

int TCanvas::DrawTextW(const std::wstring& text, RECT& rect, UINT format)
{
    PrepareText();
    int height = ::DrawTextW(Handle(), text.c_str(), -1, &rect, format);
    if (!(format & DT_CALCRECT))
        Changed();
    return height;
}

SIZE TCanvas::TextExtent(const std::string& text)
{
    Require(kFont);
    SIZE size{};
    GetTextExtentPoint32A(Handle(), text.c_str(), static_cast<int>(text.size()), &size);
    return size;
}

void TCanvas::CopyRect(const RECT& dest, TCanvas& source, const RECT& sourceRect)
{
    Require(kBrush);
    HDC target = Handle();
    HDC from = source.Handle();
    int dw = dest.right - dest.left, dh = dest.bottom - dest.top;
    int sw = sourceRect.right - sourceRect.left, sh = sourceRect.bottom - sourceRect.top;
    if (dw == sw && dh == sh)
        BitBlt(target, dest.left, dest.top, dw, dh, from, sourceRect.left, sourceRect.top, m_copyMode);
    else
        StretchBlt(target, dest.left, dest.top, dw, dh, from, sourceRect.left, sourceRect.top, sw, sh, m_copyMode);
    Changed();
}

void TCanvas::Draw(int x, int y, TBitmap& bitmap)
{
    StretchDraw(RECT{x, y, x + bitmap.Width(), y + bitmap.Height()}, bitmap);
}

void TCanvas::StretchDraw(const RECT& dest, TBitmap& bitmap)
{
    if (bitmap.Empty())
        return;
    RECT all{0, 0, bitmap.Width(), bitmap.Height()};
    if (!bitmap.Transparent()) {
        CopyRect(dest, bitmap.Canvas(), all);
        return;
    }
    GdiTransparentBlt(Handle(), dest.left, dest.top, dest.right - dest.left, dest.bottom - dest.top,
                      bitmap.Canvas().Handle(), 0, 0, all.right, all.bottom,
                      ColorToRGB(bitmap.TransparentColor()));
    Changed();
}

void TCanvas::DrawBlended(int x, int y, TBitmap& bitmap)
{
    if (bitmap.Empty() || bitmap.PixelFormat() != TPixelFormat::pf32bit)
        return;
    // What lies beneath, with each picture pixel mixed in by its alpha.
    TBitmap beneath;
    beneath.SetPixelFormat(TPixelFormat::pf24bit);
    beneath.SetSize(bitmap.Width(), bitmap.Height());
    HDC work = beneath.Canvas().Handle();
    BitBlt(work, 0, 0, bitmap.Width(), bitmap.Height(), Handle(), x, y, SRCCOPY);
    GdiFlush();
    for (int row = 0; row < bitmap.Height(); ++row) {
        const uint8_t* source = bitmap.ScanLine(row);
        uint8_t* target = beneath.ScanLine(row);
        for (int col = 0; col < bitmap.Width(); ++col, source += 4, target += 3)
            for (int c = 0; c < 3; ++c)
                target[c] = static_cast<uint8_t>((source[c] * source[3] + target[c] * (255 - source[3])) / 255);
    }
    BitBlt(Handle(), x, y, bitmap.Width(), bitmap.Height(), work, 0, 0, SRCCOPY);
    Changed();
}

TColor TCanvas::Pixel(int x, int y)
{
    GdiFlush();
    return GetPixel(Handle(), x, y);
}

void TCanvas::SetPixel(int x, int y, TColor color)
{
    ::SetPixelV(Handle(), x, y, ColorToRGB(color));
    Changed();
}
