// Blur kernels of every radius and the convolution stay inside int
// arithmetic, whatever the radius, sigma or matrix values.

#include "kelp/widget/layout/BlurKernel.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>

namespace {

kelp::IntMatrix Filled(int rows, int columns, int value)
{
    kelp::IntMatrix matrix(rows, columns);
    for (int i = 0; i < rows; ++i)
        for (int j = 0; j < columns; ++j)
            matrix.At(i, j) = value;
    return matrix;
}

} // namespace

TEST(BlurKernelTest, WideRadiiKeepEveryConvolutionSumInsideInt)
{
    for (float sigma : {0.5f, 1.0f, 3.0f}) {
        for (int r = 3; r <= 12; ++r) {
            kelp::BlurKernel kernel = kelp::GetKernel(r, sigma);
            ASSERT_EQ(kernel.matrix->Rows(), 2 * r + 1);
            EXPECT_GT(kernel.divisor, 0) << r << " " << sigma;
            EXPECT_LE(static_cast<int64_t>(kernel.divisor) * 255, INT_MAX) << r << " " << sigma;
            const int centre = kernel.matrix->At(r, r);
            for (int i = 0; i <= 2 * r; ++i)
                for (int j = 0; j <= 2 * r; ++j) {
                    EXPECT_GE(kernel.matrix->At(i, j), 0);
                    EXPECT_LE(kernel.matrix->At(i, j), centre);
                    EXPECT_EQ(kernel.matrix->At(i, j), kernel.matrix->At(j, 2 * r - i));
                }
            // A flat white field stays white: the divisor normalises the kernel.
            const int side = 2 * r + 3;
            kelp::IntMatrix output(side, side);
            kelp::Convolve(Filled(side, side, 255), *kernel.matrix, output, r, r, kernel.divisor);
            EXPECT_EQ(output.At(r + 1, r + 1), 255) << r << " " << sigma;
        }
    }
    // Where the unscaled kernel fits an int it is the one of the formula.
    kelp::BlurKernel three = kelp::GetKernel(3);
    EXPECT_EQ(three.matrix->At(0, 0), 1);
    EXPECT_EQ(three.matrix->At(3, 3), 8103);
}

TEST(BlurKernelTest, SigmaWithoutWidthBlursNothing)
{
    kelp::IntMatrix input(7, 7);
    for (int i = 0; i < 7; ++i)
        for (int j = 0; j < 7; ++j)
            input.At(i, j) = i * 7 + j;
    for (float sigma : {0.0f, -0.0f, std::numeric_limits<float>::quiet_NaN(), 1e-20f}) {
        kelp::BlurKernel kernel = kelp::GetKernel(3, sigma);
        ASSERT_GT(kernel.divisor, 0);
        kelp::IntMatrix output(7, 7);
        kelp::Convolve(input, *kernel.matrix, output, 3, 3, kernel.divisor);
        EXPECT_EQ(output.At(3, 3), input.At(3, 3)) << sigma;
    }
}

TEST(BlurKernelTest, ConvolutionOfExtremeValuesSaturatesInsteadOfOverflowing)
{
    kelp::BlurKernel kernel = kelp::GetKernel(1);
    kelp::IntMatrix output(3, 3);
    kelp::Convolve(Filled(3, 3, INT_MAX / 2), *kernel.matrix, output, 1, 1, kernel.divisor);
    EXPECT_EQ(output.At(1, 1), INT_MAX / 2);
    kelp::Convolve(Filled(3, 3, INT_MIN), *kernel.matrix, output, 1, 1, kernel.divisor);
    EXPECT_EQ(output.At(1, 1), INT_MIN + 1);  // (16 INT_MIN + 8) / 16, rounded toward 0

    kelp::IntMatrix huge = Filled(3, 3, INT_MAX);
    kelp::Convolve(huge, huge, output, 1, 1, 1);
    EXPECT_EQ(output.At(1, 1), INT_MAX);
    kelp::Convolve(huge, Filled(3, 3, INT_MIN), output, 1, 1, -1);
    EXPECT_EQ(output.At(1, 1), INT_MAX);

    output.At(1, 1) = 7;
    kelp::Convolve(huge, *kernel.matrix, output, 1, 1, 0);  // no divisor: nothing written
    EXPECT_EQ(output.At(1, 1), 7);
    kelp::Convolve(huge, *kernel.matrix, output, INT_MAX, INT_MIN, 16);  // offsets far outside
    EXPECT_EQ(output.At(1, 1), 7);
}

TEST(BlurKernelTest, RadiusOutsideItsRangeStopsTheProgram)
{
    EXPECT_DEATH(kelp::GetKernel(0), "r > 0");
    EXPECT_DEATH(kelp::GetKernel(kelp::kMaxBlurRadius + 1), "r <= kMaxBlurRadius");
}
