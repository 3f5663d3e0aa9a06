#include "VtPackage/VtFocusCue.h"

#include "kelp/Graphics/PngReader.h"
#include "kelp/widget/layout/BitmapEffects.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <utility>

namespace {

// The corner squares of the frame picture, in pixels.
constexpr int kFrameCorner = 8;

// Source column (or row) of target position i in a stretch of length n.
int SourceIndex(int i, int n, int sourceLength, int corner)
{
    const int head = std::min(corner, n / 2);
    const int tail = std::min(corner, n - head);
    if (i < head)
        return i;
    if (i >= n - tail)
        return sourceLength - (n - i);
    return sourceLength / 2;
}

class SkinnedCue {
public:
    explicit SkinnedCue(std::string folder) : folder_(std::move(folder)) {}

    void Paint(HDC dc, const RECT& rect, TFocusCueShape shape)
    {
        if (!Load()) {
            RECT inner = rect;
            InflateRect(&inner, -1, -1);
            DrawFocusRect(dc, &inner);
            return;
        }
        const int width = rect.right - rect.left, height = rect.bottom - rect.top;
        const bool ring = shape == TFocusCueShape::Ring && width == ring_.Width() && height == ring_.Height();
        Blend(dc, rect, ring ? ring_ : Frame(width, height));
    }

private:
    bool Load()
    {
        if (state_ == State::Unread) {
            try {
                kelp::LoadPngPicture(folder_ + "focus_frame.png", frame_);
                kelp::LoadPngPicture(folder_ + "focus_ring.png", ring_);
                state_ = State::Read;
            } catch (const std::exception&) {
                state_ = State::Missing;  // drawn as the system's rectangle
            }
        }
        return state_ == State::Read;
    }

    TBitmap& Frame(int width, int height)
    {
        // A form has a handful of control sizes; each frame is built once.
        std::unique_ptr<TBitmap>& stretched = frames_[{width, height}];
        if (!stretched) {
            stretched = std::make_unique<TBitmap>();
            StretchFrame(frame_, kFrameCorner, width, height, *stretched);
        }
        return *stretched;
    }

    static void Blend(HDC dc, const RECT& rect, TBitmap& cue)
    {
        const int width = cue.Width(), height = cue.Height();
        TBitmap work;
        work.SetPixelFormat(TPixelFormat::pf24bit);
        work.SetSize(width, height);
        const HDC surface = work.Canvas().Handle();
        BitBlt(surface, 0, 0, width, height, dc, rect.left, rect.top, SRCCOPY);
        kelp::AlphaBlend(cue, RECT{0, 0, width, height}, work, POINT{0, 0}, 255);
        BitBlt(dc, rect.left, rect.top, width, height, work.Canvas().Handle(), 0, 0, SRCCOPY);
    }

    enum class State { Unread, Read, Missing };
    std::string folder_;
    State state_ = State::Unread;
    TBitmap frame_;
    TBitmap ring_;
    std::map<std::pair<int, int>, std::unique_ptr<TBitmap>> frames_;
};

} // namespace

void StretchFrame(TBitmap& frame, int corner, int width, int height, TBitmap& stretched)
{
    stretched.SetPixelFormat(TPixelFormat::pf32bit);
    stretched.SetSize(width, height);
    if (frame.Empty() || width <= 0 || height <= 0)
        return;
    for (int y = 0; y < height; ++y) {
        const uint8_t* source = frame.ScanLine(SourceIndex(y, height, frame.Height(), corner));
        uint8_t* target = stretched.ScanLine(y);
        for (int x = 0; x < width; ++x)
            std::memcpy(target + 4 * x, source + 4 * SourceIndex(x, width, frame.Width(), corner), 4);
    }
    stretched.Changed();
}

void UseVtFocusCue(const std::string& folder)
{
    auto cue = std::make_shared<SkinnedCue>(folder);
    SetFocusCuePainter([cue](HDC dc, const RECT& rect, TFocusCueShape shape) { cue->Paint(dc, rect, shape); });
}
