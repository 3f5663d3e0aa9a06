#include "kelp/widget/layout/BitmapEffects.h"

#include "kelp/System/Assert.h"
#include "kelp/widget/layout/BlendRow.h"

#include <algorithm>

namespace kelp {

namespace {

const char* const kSource = "kelp\\widget\\layout\\source\\TLayout";

int StepOf(const TBitmap& bitmap)
{
    switch (bitmap.PixelFormat()) {
    case TPixelFormat::pf32bit:
        return 4;
    case TPixelFormat::pf24bit:
        return 3;
    case TPixelFormat::pf4bit:
        break;
    }
    return 0;
}

} // namespace

void AlphaBlend(TBitmap& source, const RECT& rect, TBitmap& destination, POINT point, uint8_t opacity)
{
    KELP_ASSERT(source.PixelFormat() == TPixelFormat::pf32bit, kSource, 455);
    if (destination.PixelFormat() != TPixelFormat::pf32bit)
        destination.SetPixelFormat(TPixelFormat::pf24bit);
    const int destinationStep = StepOf(destination);
    const int sourceStep = 4;

    // Clip to the destination on all four sides; rows and columns before the
    // destination's origin are skipped as well as those past its end.
    int maxRow = std::min<int>(rect.bottom, rect.top + destination.Height() - point.y);
    int maxCol = std::min<int>(rect.right, rect.left + destination.Width() - point.x);
    if (!(maxRow <= source.Height() && maxCol <= source.Width()))
        AssertionFailed("maxRow <= src->Height && maxCol <= src->Width", kSource, 466);
    const int firstRow = std::max<int>({rect.top, rect.top - point.y, 0});
    const int firstCol = std::max<int>({rect.left, rect.left - point.x, 0});

    if (firstCol < maxCol && firstRow < maxRow) {
        // Top-down rows at a fixed stride: one scan-line lookup per bitmap.
        const uint8_t* s = source.ScanLine(firstRow) + firstCol * sourceStep;
        uint8_t* d = destination.ScanLine(point.y + firstRow - rect.top) + (point.x + firstCol - rect.left) * destinationStep;
        const int sourceStride = source.BytesPerLine(), destinationStride = destination.BytesPerLine();
        const BlendWeights weights(opacity);
        for (int row = firstRow; row < maxRow; ++row, s += sourceStride, d += destinationStride)
            BlendRow(s, d, maxCol - firstCol, destinationStep, weights);
    }
    destination.Changed();
}

IntMatrix ToLuminance(TBitmap& bitmap)
{
    IntMatrix luminance(bitmap.Height(), bitmap.Width());
    const int step = StepOf(bitmap);
    for (int y = 0; y < bitmap.Height(); ++y) {
        if (step == 0) {
            for (int x = 0; x < bitmap.Width(); ++x) {
                TColor c = bitmap.PixelColor(x, y);
                luminance.At(y, x) = static_cast<int>(0.299 * (c & 0xFF) + 0.587 * ((c >> 8) & 0xFF) +
                                                      0.114 * ((c >> 16) & 0xFF) + 0.5);
            }
            continue;
        }
        const uint8_t* p = bitmap.ScanLine(y);
        for (int x = 0; x < bitmap.Width(); ++x, p += step)
            luminance.At(y, x) = static_cast<int>(0.299 * p[2] + 0.587 * p[1] + 0.114 * p[0] + 0.5);
    }
    return luminance;
}

} // namespace kelp
