// Windows bitmap files and DIB resources: the header checks, then the row
// copy the loader does for pixels stored in the bitmap's own layout.

#include "framework/graphics/DibHeader.h"

#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

void ReadRows(const uint8_t* info, size_t infoSize, const uint8_t* bits, size_t bitsSize)
{
    DibLayout layout;
    if (!ParseDibHeader(info, infoSize, bitsSize, layout))
        return;
    // Stand-ins for the palette and pixel reads of the loader: every byte
    // the layout names must be readable.
    uint8_t sink = 0;
    const uint8_t* table = info + layout.headerBytes;
    for (size_t i = 0; i < layout.colours * 4; ++i)
        sink ^= table[i];
    if (layout.compression == kDibBitfields && layout.headerBytes == kDibInfoHeaderBytes)
        for (size_t i = 0; i < 12; ++i)
            sink ^= info[layout.headerBytes + i];
    for (int y = 0; y < layout.height; ++y) {
        const uint8_t* row = bits + size_t(y) * layout.sourceStride;
        sink ^= row[0] ^ row[layout.sourceStride - 1];
    }
    volatile uint8_t keep = sink;
    (void)keep;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // As a file: exact-size copy so that the sanitizer sees every overrun.
    std::vector<uint8_t> file(data, data + size);
    size_t infoSize = 0, bitsOffset = 0;
    if (LocateBmpParts(file.data(), file.size(), infoSize, bitsOffset))
        ReadRows(file.data() + kBmpFileHeaderBytes, infoSize, file.data() + bitsOffset, file.size() - bitsOffset);
    // As a resource: the info header comes first.
    if (size_t resourceInfo = DibResourceInfoSize(file.data(), file.size()))
        ReadRows(file.data(), resourceInfo, file.data() + resourceInfo, file.size() - resourceInfo);
    return 0;
}
