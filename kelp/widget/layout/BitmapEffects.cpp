#include "kelp/widget/layout/BitmapEffects.h"

#include "kelp/System/Assert.h"

#include <algorithm>
#include <cmath>

namespace kelp {

namespace {

const char* const kSource = "kelp\\widget\\layout\\source\\TLayout";

std::shared_ptr<const IntMatrix> FixedKernel(int radius, const std::vector<int>& cells)
{
    int side = 2 * radius + 1;
    auto matrix = std::make_shared<IntMatrix>(side, side);
    for (int i = 0; i < side * side; ++i)
        matrix->At(i / side, i % side) = cells[i];
    return matrix;
}

int Sum(const IntMatrix& matrix)
{
    int sum = 0;
    for (int i = 0; i < matrix.Rows(); ++i)
        for (int j = 0; j < matrix.Columns(); ++j)
            sum += matrix.At(i, j);
    return sum;
}

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

BlurKernel GetKernel(int r, float sigma)
{
    KELP_ASSERT(r > 0, kSource, 412);
    static const BlurKernel radius1{FixedKernel(1, {1, 2, 1, 2, 4, 2, 1, 2, 1}), 16};
    static const BlurKernel radius2{FixedKernel(2, {1, 4, 7, 4, 1, 4, 16, 26, 16, 4, 7, 26, 41, 26, 7,
                                                    4, 16, 26, 16, 4, 1, 4, 7, 4, 1}),
                                    273};
    if (r == 1)
        return radius1;
    if (r == 2)
        return radius2;
    const double a = 2.0 * sigma * sigma;
    // Scale so that the corner entry comes out as 1.
    const double b = std::trunc(1.0 / std::exp(-(2.0 * r * r) / a) + 0.5);
    auto matrix = std::make_shared<IntMatrix>(2 * r + 1, 2 * r + 1);
    for (int i = -r; i <= r; ++i)
        for (int j = -r; j <= r; ++j)
            matrix->At(i + r, j + r) = static_cast<int>(std::trunc(std::exp(-(i * i + j * j) / a) * b + 0.5));
    return BlurKernel{matrix, Sum(*matrix)};
}

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

    const double scale = opacity == 255 ? 1.0 : opacity / 255.0;
    for (int row = firstRow; row < maxRow; ++row) {
        const uint8_t* s = source.ScanLine(row) + firstCol * sourceStep;
        uint8_t* d = destination.ScanLine(point.y + row - rect.top) + (point.x + firstCol - rect.left) * destinationStep;
        for (int col = firstCol; col < maxCol; ++col, s += sourceStep, d += destinationStep) {
            double alpha = s[3] / 255.0;
            if (opacity != 255)
                alpha *= scale;
            for (int c = 0; c < 3; ++c)
                d[c] = static_cast<uint8_t>(d[c] * (1.0 - alpha) + alpha * s[c]);
        }
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

void Convolve(const IntMatrix& input, const IntMatrix& kernel, IntMatrix& output, int rowOffset, int columnOffset,
              int divisor)
{
    for (int i = 0; i + kernel.Rows() <= input.Rows(); ++i) {
        for (int j = 0; j + kernel.Columns() <= input.Columns(); ++j) {
            int oi = i + rowOffset, oj = j + columnOffset;
            if (oi < 0 || oj < 0 || oi >= output.Rows() || oj >= output.Columns())
                continue;
            int sum = 0;
            for (int ki = 0; ki < kernel.Rows(); ++ki)
                for (int kj = 0; kj < kernel.Columns(); ++kj)
                    sum += kernel.At(ki, kj) * input.At(i + ki, j + kj);
            output.At(oi, oj) = (sum + divisor / 2) / divisor;
        }
    }
}

} // namespace kelp
