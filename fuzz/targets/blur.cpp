// The blur behind text shadows: any radius and sigma, and convolution of
// any matrix with any kernel and divisor.

#include "fuzz/native/FuzzInput.h"
#include "kelp/widget/layout/BlurKernel.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput in{data, size};
    const int radius = 1 + in.Take<uint8_t>() % 12;
    const float sigma = in.Take<float>();
    kelp::BlurKernel kernel = kelp::GetKernel(radius, sigma);
    // Generated kernels are non-negative and normalised: a field of 255
    // blurs to at most 255.
    if (kernel.divisor <= 0)
        __builtin_trap();

    const int rows = in.Take<uint8_t>() % 24, columns = in.Take<uint8_t>() % 24;
    kelp::IntMatrix input(rows, columns);
    const bool luminance = in.Take<uint8_t>() & 1;
    for (int i = 0; i < rows; ++i)
        for (int j = 0; j < columns; ++j)
            input.At(i, j) = luminance ? in.Take<uint8_t>() : in.Take<int>();
    kelp::IntMatrix output(rows, columns);
    kelp::Convolve(input, *kernel.matrix, output, radius, radius, kernel.divisor);
    if (luminance)
        for (int i = 0; i < rows; ++i)
            for (int j = 0; j < columns; ++j)
                if (output.At(i, j) < 0 || output.At(i, j) > 255)
                    __builtin_trap();

    // Any kernel the caller builds, with any offsets and divisor.
    const int kRows = 1 + in.Take<uint8_t>() % 4, kColumns = 1 + in.Take<uint8_t>() % 4;
    kelp::IntMatrix other(kRows, kColumns);
    for (int i = 0; i < kRows; ++i)
        for (int j = 0; j < kColumns; ++j)
            other.At(i, j) = in.Take<int>();
    kelp::Convolve(input, other, output, in.Take<int>(), in.Take<int>(), in.Take<int>());
    return 0;
}
