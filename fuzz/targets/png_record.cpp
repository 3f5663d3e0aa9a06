// Image records as the PNG codec library fills them: a size, a colour type
// and rows. Only records that pass the checks are converted, row by row,
// into a bitmap-sized buffer.

#include "fuzz/native/FuzzInput.h"
#include "kelp/Graphics/PngImage.h"

#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput in{data, size};
    const uint32_t width = in.Take<uint32_t>() % 512, height = in.Take<uint32_t>() % 32, colorType = in.Take<uint32_t>();
    const uint32_t missingRow = in.Take<uint32_t>();
    const uint32_t step = colorType == kelp::kPngRgba ? 4 : 3;
    // Rows of exactly the size the record claims, filled from the input.
    std::vector<std::vector<uint8_t>> rows(height, std::vector<uint8_t>(size_t(width) * step));
    std::vector<uint8_t*> pointers(height);
    for (uint32_t y = 0; y < height; ++y) {
        for (size_t x = 0; x < rows[y].size() && in.size; ++x)
            rows[y][x] = in.data[x % in.size];
        pointers[y] = rows[y].empty() ? nullptr : rows[y].data();
    }
    if (height && (missingRow & 0x80000000u))
        pointers[missingRow % height] = nullptr;
    kelp::PngImageRecord record{width, height, 8, colorType, width * step, pointers.data()};
    if (!kelp::IsUsablePngRecord(record, 32768))
        return 0;
    for (int targetStep : {3, 4}) {
        std::vector<uint8_t> target(size_t(width) * targetStep);
        for (uint32_t y = 0; y < height; ++y)
            kelp::ConvertPngRow(record, y, target.data(), targetStep);
    }
    return 0;
}
