#include "kelp/Component/ImageHost.h"

#include <algorithm>

namespace kelp {

namespace {

// Asked once: every bitmap control asks when it is created, and under Wine
// each query of the screen costs several server round trips.
int ScreenBitsPerPixel()
{
    static const int bits = [] {
        HDC screen = GetDC(nullptr);
        int value = screen ? GetDeviceCaps(screen, BITSPIXEL) * GetDeviceCaps(screen, PLANES) : 24;
        if (screen)
            ReleaseDC(nullptr, screen);
        return value;
    }();
    return bits;
}

} // namespace

ImageHost::ImageHost(TWinControl* hostControl) : m_image(std::make_unique<TImage>(nullptr))
{
    m_image->SetParent(hostControl);
    m_image->SetBounds(0, 0, 0, 0);
    TBitmap& bitmap = m_image->Picture();
    bitmap.SetPixelFormat(ScreenBitsPerPixel() < 5 ? TPixelFormat::pf4bit : TPixelFormat::pf24bit);
    bitmap.SetTransparentMode(TTransparentMode::Fixed);
}

ImageHost::~ImageHost() = default;

void ImageHost::Flush()
{
    GdiFlush();
    m_image->Invalidate();
}

void ImageHost::FillBackground(const RECT& rect)
{
    if (rect.right <= rect.left || rect.bottom <= rect.top)
        return;
    TCanvas& canvas = Canvas();
    TBrushStyle style = canvas.Brush().Style();
    TColor color = canvas.Brush().Color();
    canvas.Brush().SetColor(m_backgroundColor);
    canvas.FillRect(rect);
    canvas.Brush().SetColor(color);
    canvas.Brush().SetStyle(style);
}

void ImageHost::SetSize(int width, int height)
{
    const int oldWidth = m_width, oldHeight = m_height;
    Bitmap().SetSize(width, height);
    m_image->SetBounds(m_image->Left(), m_image->Top(), width, height);
    m_width = width;
    m_height = height;
    if (width > oldWidth)
        FillBackground(RECT{oldWidth, 0, width, height});
    if (height > oldHeight)
        FillBackground(RECT{0, oldHeight, std::min(oldWidth, width), height});
}

void ImageHost::Clear()
{
    FillBackground(RECT{0, 0, m_width, m_height});
}

} // namespace kelp
