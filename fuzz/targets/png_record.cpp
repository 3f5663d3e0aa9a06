// Image records as the PNG codec library fills them: a size, a colour type
// and rows. Only records that pass the checks are converted, row by row,
// into a bitmap-sized buffer.

#include "kelp/Graphics/PngImage.h"

#include <cstring>
#include <vector>

namespace {

struct Input {
    const uint8_t* data;
    size_t size;
    uint32_t Word()
    {
        uint32_t value = 0;
        const size_t n = size < 4 ? size : 4;
        std::memcpy(&value, data, n);
        data += n;
        size -= n;
        return value;
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Input in{data, size};
    const uint32_t width = in.Word() % 512, height = in.Word() % 32, colorType = in.Word();
    const uint32_t missingRow = in.Word();
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
