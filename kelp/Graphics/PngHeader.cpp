#include "kelp/Graphics/PngHeader.h"

#include <cstring>

namespace kelp {

namespace {

constexpr uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr uint32_t kIhdrLength = 13;

uint32_t BigEndian32(const uint8_t* p)
{
    return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | uint32_t(p[3]);
}

} // namespace

bool ParsePngHeader(const uint8_t* bytes, size_t size, uint32_t& width, uint32_t& height)
{
    if (!bytes || size < kPngHeaderBytes || std::memcmp(bytes, kSignature, sizeof(kSignature)) != 0 ||
        BigEndian32(bytes + 8) != kIhdrLength || std::memcmp(bytes + 12, "IHDR", 4) != 0)
        return false;
    width = BigEndian32(bytes + 16);
    height = BigEndian32(bytes + 20);
    return width > 0 && height > 0;
}

} // namespace kelp
