#include "framework/graphics/DibHeader.h"

#include <cstring>

namespace {

uint32_t Word32(const uint8_t* p)
{
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

uint16_t Word16(const uint8_t* p)
{
    return uint16_t(p[0] | p[1] << 8);
}

// Colour table entries the header asks for: the used count, or the full
// table of a paletted depth when that count is 0. Deeper pixels have none
// that matter to reading them.
uint64_t TableEntries(uint32_t bitCount, uint32_t used)
{
    if (bitCount > 8)
        return 0;
    return used ? used : uint64_t(1) << bitCount;
}

// Bit-field masks live after a 40-byte header; larger headers hold them.
uint64_t MaskBytes(uint32_t headerBytes, uint32_t compression)
{
    return compression == kDibBitfields && headerBytes == kDibInfoHeaderBytes ? 12 : 0;
}

} // namespace

bool ParseDibHeader(const uint8_t* info, size_t infoSize, size_t bitsSize, DibLayout& layout)
{
    if (!info || infoSize < kDibInfoHeaderBytes)
        return false;
    const uint32_t headerBytes = Word32(info);
    const int32_t width = int32_t(Word32(info + 4));
    const int32_t rawHeight = int32_t(Word32(info + 8));
    const uint16_t planes = Word16(info + 12);
    const uint16_t bpp = Word16(info + 14);
    const uint32_t compression = Word32(info + 16);
    const uint32_t used = Word32(info + 32);

    // 64-bit arithmetic throughout: a header may hold any 32-bit values.
    const int64_t height = rawHeight < 0 ? -int64_t(rawHeight) : int64_t(rawHeight);
    const bool knownDepth = bpp == 1 || bpp == 4 || bpp == 8 || bpp == 16 || bpp == 24 || bpp == 32;
    const bool knownCompression =
        compression == kDibRgb || (compression == kDibBitfields && (bpp == 16 || bpp == 32));
    if (headerBytes < kDibInfoHeaderBytes || headerBytes > infoSize || width <= 0 || height <= 0 ||
        width > kMaxBitmapSide || height > kMaxBitmapSide || planes != 1 || !knownDepth || !knownCompression)
        return false;
    const uint64_t colours = TableEntries(bpp, used);
    if (colours > 256 || headerBytes + MaskBytes(headerBytes, compression) + colours * 4 > infoSize)
        return false;
    const uint64_t stride = ((uint64_t(width) * bpp + 31) / 32) * 4;
    if (stride * uint64_t(height) > bitsSize)
        return false;

    layout.width = width;
    layout.height = int(height);
    layout.topDown = rawHeight < 0;
    layout.bitCount = bpp;
    layout.compression = compression;
    layout.headerBytes = headerBytes;
    layout.colours = size_t(colours);
    layout.sourceStride = size_t(stride);
    return true;
}

bool LocateBmpParts(const uint8_t* bytes, size_t size, size_t& infoSize, size_t& bitsOffset)
{
    if (!bytes || size < kBmpFileHeaderBytes || Word16(bytes) != 0x4D42)
        return false;
    const uint32_t offBits = Word32(bytes + 10);
    if (offBits >= size || offBits < kBmpFileHeaderBytes)
        return false;
    infoSize = offBits - kBmpFileHeaderBytes;
    bitsOffset = offBits;
    return true;
}

size_t DibResourceInfoSize(const uint8_t* bytes, size_t size)
{
    if (!bytes || size < kDibInfoHeaderBytes)
        return 0;
    const uint32_t headerBytes = Word32(bytes);
    const uint16_t bpp = Word16(bytes + 14);
    const uint32_t compression = Word32(bytes + 16);
    const uint64_t total = uint64_t(headerBytes) + TableEntries(bpp, Word32(bytes + 32)) * 4 +
                           MaskBytes(headerBytes, compression);
    return total <= size ? size_t(total) : 0;
}
