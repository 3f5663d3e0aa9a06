// Bitmap headers: every size a header claims must lie inside the bytes
// that carry it before any pixel is read.

#include "framework/graphics/DibHeader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <vector>

namespace {

struct Header {
    uint32_t size = 40;
    int32_t width = 2;
    int32_t height = 2;
    uint16_t planes = 1;
    uint16_t bpp = 24;
    uint32_t compression = kDibRgb;
    uint32_t used = 0;
};

std::vector<uint8_t> Info(const Header& h, size_t extra = 0)
{
    // Header sizes past any real header only stand for a lying size field.
    const size_t headerBytes = h.size >= 40 && h.size <= 124 ? h.size : 40;
    std::vector<uint8_t> bytes(headerBytes + extra, 0);
    auto put = [&](size_t at, const void* value, size_t n) { std::memcpy(bytes.data() + at, value, n); };
    put(0, &h.size, 4);
    put(4, &h.width, 4);
    put(8, &h.height, 4);
    put(12, &h.planes, 2);
    put(14, &h.bpp, 2);
    put(16, &h.compression, 4);
    put(32, &h.used, 4);
    return bytes;
}

bool Parse(const std::vector<uint8_t>& info, size_t bits, DibLayout* out = nullptr)
{
    DibLayout layout;
    bool ok = ParseDibHeader(info.data(), info.size(), bits, layout);
    if (out)
        *out = layout;
    return ok;
}

} // namespace

TEST(DibHeaderTest, ValidHeadersDescribeTheirRows)
{
    DibLayout layout;
    ASSERT_TRUE(Parse(Info({}), 16, &layout));  // 2 x 2 at 24 bits: rows of 8 bytes
    EXPECT_EQ(layout.sourceStride, 8u);
    EXPECT_FALSE(layout.topDown);
    EXPECT_EQ(layout.colours, 0u);

    Header top;
    top.height = -3;
    top.bpp = 32;
    ASSERT_TRUE(Parse(Info(top), 24, &layout));
    EXPECT_TRUE(layout.topDown);
    EXPECT_EQ(layout.height, 3);

    Header paletted;
    paletted.bpp = 8;
    ASSERT_TRUE(Parse(Info(paletted, 256 * 4), 8, &layout));
    EXPECT_EQ(layout.colours, 256u);
    paletted.used = 2;
    ASSERT_TRUE(Parse(Info(paletted, 2 * 4), 8, &layout));
    EXPECT_EQ(layout.colours, 2u);
    EXPECT_FALSE(Parse(Info(paletted, 2 * 4 - 1), 8));  // table cut short
    paletted.used = 257;
    EXPECT_FALSE(Parse(Info(paletted, 257 * 4), 8));
    paletted.used = 0x40000001;  // times 4 wraps a 32-bit size
    EXPECT_FALSE(Parse(Info(paletted, 4), 8));
}

TEST(DibHeaderTest, BitFieldMasksMustFollowAShortHeader)
{
    Header fields;
    fields.bpp = 32;
    fields.compression = kDibBitfields;
    EXPECT_FALSE(Parse(Info(fields), 16));      // masks missing: 40 bytes only
    EXPECT_FALSE(Parse(Info(fields, 11), 16));  // one mask byte short
    EXPECT_TRUE(Parse(Info(fields, 12), 16));
    fields.size = 108;  // a version 4 header holds its masks
    EXPECT_TRUE(Parse(Info(fields), 16));
    fields.size = 40;
    fields.bpp = 24;  // bit fields only at 16 and 32 bits
    EXPECT_FALSE(Parse(Info(fields, 12), 16));
}

TEST(DibHeaderTest, ImpossibleHeadersAreRefused)
{
    auto refused = [](Header h, size_t bits = 1u << 20) { return !Parse(Info(h), bits); };
    Header h;
    h.height = INT_MIN;
    EXPECT_TRUE(refused(h));
    h = {};
    h.width = 0;
    EXPECT_TRUE(refused(h));
    h.width = -2;
    EXPECT_TRUE(refused(h));
    h = {};
    h.width = kMaxBitmapSide + 1;
    EXPECT_TRUE(refused(h));
    h = {};
    h.width = h.height = kMaxBitmapSide;  // rows would need 4 GiB
    h.bpp = 32;
    EXPECT_TRUE(refused(h, 16));
    h = {};
    h.planes = 2;
    EXPECT_TRUE(refused(h));
    h = {};
    h.bpp = 2;
    EXPECT_TRUE(refused(h));
    h = {};
    h.compression = 1;  // run-length coded
    EXPECT_TRUE(refused(h));
    h = {};
    h.size = 12;  // the old core header
    EXPECT_TRUE(refused(h));
    h = {};
    h.size = 0xFFFFFFFF;
    EXPECT_TRUE(refused(h));
    EXPECT_FALSE(Parse(Info({}), 15));  // pixels one byte short
    DibLayout layout;
    EXPECT_FALSE(ParseDibHeader(Info({}).data(), 39, 16, layout));
}

TEST(DibHeaderTest, FileAndResourceFramesStayInsideTheirBytes)
{
    std::vector<uint8_t> file(14 + 40 + 16, 0);
    file[0] = 'B';
    file[1] = 'M';
    const uint32_t offset = 54;
    std::memcpy(file.data() + 10, &offset, 4);
    size_t infoSize = 0, bitsOffset = 0;
    ASSERT_TRUE(LocateBmpParts(file.data(), file.size(), infoSize, bitsOffset));
    EXPECT_EQ(infoSize, 40u);
    EXPECT_EQ(bitsOffset, 54u);
    EXPECT_FALSE(LocateBmpParts(file.data(), 13, infoSize, bitsOffset));
    EXPECT_FALSE(LocateBmpParts(file.data(), 54, infoSize, bitsOffset));  // pixels start at the end
    for (uint32_t bad : {0u, 13u, 0xFFFFFFFFu}) {
        std::memcpy(file.data() + 10, &bad, 4);
        EXPECT_FALSE(LocateBmpParts(file.data(), file.size(), infoSize, bitsOffset)) << bad;
    }
    file[0] = 'X';
    EXPECT_FALSE(LocateBmpParts(file.data(), file.size(), infoSize, bitsOffset));

    Header paletted;
    paletted.bpp = 4;
    auto resource = Info(paletted, 16 * 4 + 8);
    EXPECT_EQ(DibResourceInfoSize(resource.data(), resource.size()), 40u + 64u);
    EXPECT_EQ(DibResourceInfoSize(resource.data(), 40 + 63), 0u);
    Header fields;
    fields.bpp = 16;
    fields.compression = kDibBitfields;
    auto masked = Info(fields, 12);
    EXPECT_EQ(DibResourceInfoSize(masked.data(), masked.size()), 52u);
    EXPECT_EQ(DibResourceInfoSize(masked.data(), 51), 0u);
    Header huge;
    huge.size = 0xFFFFFFF8;
    auto wrap = Info(huge);
    EXPECT_EQ(DibResourceInfoSize(wrap.data(), wrap.size()), 0u);
}
