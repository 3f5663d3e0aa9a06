#include "kelp/widget/layout/BlurKernel.h"

#include "kelp/System/Assert.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>

namespace kelp {

namespace {

const char* const kSource = "kelp\\widget\\layout\\source\\TLayout";

// Largest divisor a generated kernel may have: a blurred 8-bit value then
// sums to at most 255 times this, which leaves headroom in an int.
constexpr double kMaxDivisor = INT_MAX / 255 / 2;

std::shared_ptr<const IntMatrix> FixedKernel(int radius, const std::vector<int>& cells)
{
    int side = 2 * radius + 1;
    auto matrix = std::make_shared<IntMatrix>(side, side);
    for (int i = 0; i < side * side; ++i)
        matrix->At(i / side, i % side) = cells[i];
    return matrix;
}

int64_t SaturatingAdd(int64_t a, int64_t b)
{
    int64_t sum;
    if (__builtin_add_overflow(a, b, &sum))
        return b > 0 ? INT64_MAX : INT64_MIN;
    return sum;
}

// (sum + divisor / 2) / divisor rounded as integers, clamped to an int.
int Normalise(int64_t sum, int divisor)
{
    const int64_t value = SaturatingAdd(sum, divisor / 2);
    if (value == INT64_MIN && divisor == -1)  // the one quotient an int64 cannot hold
        return INT_MAX;
    return int(std::clamp<int64_t>(value / divisor, INT_MIN, INT_MAX));
}

} // namespace

BlurKernel GetKernel(int r, float sigma)
{
    KELP_ASSERT(r > 0, kSource, 412);
    KELP_ASSERT(r <= kMaxBlurRadius, kSource, 413);
    static const BlurKernel radius1{FixedKernel(1, {1, 2, 1, 2, 4, 2, 1, 2, 1}), 16};
    static const BlurKernel radius2{FixedKernel(2, {1, 4, 7, 4, 1, 4, 16, 26, 16, 4, 7, 26, 41, 26, 7,
                                                    4, 16, 26, 16, 4, 1, 4, 7, 4, 1}),
                                    273};
    if (r == 1)
        return radius1;
    if (r == 2)
        return radius2;
    const int side = 2 * r + 1;
    const double a = 2.0 * static_cast<double>(sigma) * sigma;
    // Unscaled weights, 1 in the centre. A sigma of 0 or no number leaves
    // only the centre: no blur rather than a kernel of garbage.
    std::vector<double> weights(static_cast<size_t>(side) * side);
    double total = 0.0;
    for (int i = -r; i <= r; ++i)
        for (int j = -r; j <= r; ++j) {
            double w = (i == 0 && j == 0) ? 1.0 : std::exp(-(i * i + j * j) / a);
            if (!std::isfinite(w) || w < 0.0)
                w = 0.0;
            weights[static_cast<size_t>(i + r) * side + (j + r)] = w;
            total += w;
        }
    // Scale so that the corner entry comes out as 1. From radius 4 on (at
    // sigma 1) that scale is so large that the entries and the sums of the
    // convolution would overflow; the scale is then capped, which only
    // drops the far corners' tiny weights to 0.
    double b = std::trunc(1.0 / std::exp(-(2.0 * r * r) / a) + 0.5);
    if (!std::isfinite(b) || b * total > kMaxDivisor)
        b = std::floor(kMaxDivisor / total);
    auto matrix = std::make_shared<IntMatrix>(side, side);
    int divisor = 0;
    for (int i = 0; i < side; ++i)
        for (int j = 0; j < side; ++j) {
            const int entry = static_cast<int>(std::trunc(weights[static_cast<size_t>(i) * side + j] * b + 0.5));
            matrix->At(i, j) = entry;
            divisor += entry;
        }
    return BlurKernel{matrix, divisor};
}

void Convolve(const IntMatrix& input, const IntMatrix& kernel, IntMatrix& output, int rowOffset, int columnOffset,
              int divisor)
{
    if (divisor == 0)
        return;
    for (int i = 0; i + kernel.Rows() <= input.Rows(); ++i) {
        for (int j = 0; j + kernel.Columns() <= input.Columns(); ++j) {
            const int64_t oi = int64_t(i) + rowOffset, oj = int64_t(j) + columnOffset;
            if (oi < 0 || oj < 0 || oi >= output.Rows() || oj >= output.Columns())
                continue;
            // 64-bit sums: a kernel entry times an input cell alone can
            // exceed an int for matrices that are not 8-bit luminance.
            int64_t sum = 0;
            for (int ki = 0; ki < kernel.Rows(); ++ki)
                for (int kj = 0; kj < kernel.Columns(); ++kj)
                    sum = SaturatingAdd(sum, int64_t(kernel.At(ki, kj)) * input.At(i + ki, j + kj));
            output.At(int(oi), int(oj)) = Normalise(sum, divisor);
        }
    }
}

} // namespace kelp
