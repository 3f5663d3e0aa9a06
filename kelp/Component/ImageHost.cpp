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

// The image of a surface: settings worked out late are settled before it
// paints.
class SurfaceImage : public TImage {
public:
    explicit SurfaceImage(const std::function<void()>& beforePaint) : TImage(nullptr), m_beforePaint(beforePaint) {}

protected:
    void PaintControl(TCanvas& canvas) override
    {
        if (m_beforePaint)
            m_beforePaint();
        TImage::PaintControl(canvas);
    }

private:
    const std::function<void()>& m_beforePaint;
};

} // namespace

ImageHost::ImageHost(TWinControl* hostControl) : m_image(std::make_unique<SurfaceImage>(m_beforePaint))
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

void ImageHost::Fill(const RECT& rect, TColor color)
{
    if (rect.right <= rect.left || rect.bottom <= rect.top)
        return;
    TCanvas& canvas = Canvas();
    TBrushStyle style = canvas.Brush().Style();
    TColor previous = canvas.Brush().Color();
    canvas.Brush().SetColor(color);
    canvas.FillRect(rect);
    canvas.Brush().SetColor(previous);
    canvas.Brush().SetStyle(style);
}

void ImageHost::Resize(int oldWidth, int oldHeight, int width, int height, TColor background)
{
    Bitmap().SetSize(width, height);
    if (width > oldWidth)
        Fill(RECT{oldWidth, 0, width, height}, background);
    if (height > oldHeight)
        Fill(RECT{0, oldHeight, std::min(oldWidth, width), height}, background);
}

void ImageHost::SetSize(int width, int height)
{
    const int oldWidth = m_width, oldHeight = m_height;
    const TColor background = m_backgroundColor;
    m_image->SetBounds(m_image->Left(), m_image->Top(), width, height);
    m_width = width;
    m_height = height;
    if (m_drawn) {
        Resize(oldWidth, oldHeight, width, height, background);
        return;
    }
    m_waiting.push_back([=, this] { Resize(oldWidth, oldHeight, width, height, background); });
    DeferPicture();
}

void ImageHost::DeferPicture()
{
    TBitmap& picture = Bitmap();
    const TPictureHeader header{std::max(m_width, 0), std::max(m_height, 0), picture.PixelFormat(), false};
    picture.Defer(header, std::make_shared<const TPixelSource>([self = std::weak_ptr<ImageHost*>(m_self)](TBitmap& target) {
        // A copy made before the surface was drawn may be read after the
        // surface is gone: it stays empty, as a picture whose read failed.
        const std::shared_ptr<ImageHost*> alive = self.lock();
        if (!alive)
            return;
        ImageHost& host = **alive;
        if (&target == &host.Bitmap()) {
            host.DrawWaiting();
            return;
        }
        host.Bitmap().Handle();
        target.Assign(host.Bitmap());
    }));
}

void ImageHost::DrawWaiting()
{
    // The picture starts empty, as the surface did, and takes every size
    // and drawing in the order they came.
    m_drawn = true;
    const std::vector<std::function<void()>> waiting = std::move(m_waiting);
    m_waiting.clear();
    for (const auto& step : waiting)
        step();
}

void ImageHost::Draw(TDrawing drawing)
{
    if (m_drawn)
        drawing(Canvas());
    else
        m_waiting.push_back([this, drawing = std::move(drawing)] { drawing(Canvas()); });
}

void ImageHost::DrawOver(TDrawing drawing)
{
    if (m_drawn) {
        drawing(Canvas());
        return;
    }
    // Only the size the surface has now matters under a drawing that covers it.
    const int width = m_width, height = m_height;
    const TColor background = m_backgroundColor;
    m_waiting.clear();
    m_waiting.push_back([=, this] { Resize(0, 0, width, height, background); });
    Draw(std::move(drawing));
}

void ImageHost::Clear()
{
    const RECT whole{0, 0, m_width, m_height};
    Draw([this, whole, background = m_backgroundColor](TCanvas&) { Fill(whole, background); });
}

} // namespace kelp
