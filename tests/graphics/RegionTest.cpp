#include "kelp/Graphics/WinRegion.h"

#include <gtest/gtest.h>
#include <random>
#include <vector>

namespace {

std::vector<RECT> Rects(HRGN region)
{
    DWORD size = GetRegionData(region, 0, nullptr);
    std::vector<uint8_t> data(size);
    auto* rgn = reinterpret_cast<RGNDATA*>(data.data());
    GetRegionData(region, size, rgn);
    const RECT* first = reinterpret_cast<const RECT*>(rgn->Buffer);
    return std::vector<RECT>(first, first + rgn->rdh.nCount);
}

bool Same(const RECT& a, const RECT& b)
{
    return EqualRect(&a, &b) != 0;
}

void Paint(TBitmap& bitmap, int x, int y, TColor color)
{
    bitmap.Canvas().SetPixel(x, y, color);
}

} // namespace

TEST(RegionTest, TransparentMiddlePixelLeavesTwoSingles)
{
    TBitmap bitmap;
    bitmap.SetSize(3, 1);
    Paint(bitmap, 0, 0, 0x000080);
    Paint(bitmap, 1, 0, clFuchsia);
    Paint(bitmap, 2, 0, 0x008000);
    kelp::WinRegion region(bitmap, clFuchsia);
    auto rects = Rects(region.Handle());
    ASSERT_EQ(rects.size(), 2u);
    EXPECT_TRUE(Same(rects[0], RECT{0, 0, 1, 1}));
    EXPECT_TRUE(Same(rects[1], RECT{2, 0, 3, 1}));
    EXPECT_EQ(bitmap.PixelFormat(), TPixelFormat::pf24bit);
}

TEST(RegionTest, NoTransparentPixelGivesFullRectangle)
{
    TBitmap bitmap;
    bitmap.SetSize(4, 3);
    kelp::WinRegion region(bitmap, clFuchsia);   // all black
    auto rects = Rects(region.Handle());
    ASSERT_EQ(rects.size(), 1u);
    EXPECT_TRUE(Same(rects[0], RECT{0, 0, 4, 3}));

    // Only the low three bytes of the key count: a system-colour flag in the
    // top byte does not make black transparent.
    region.SetToBitmap(bitmap, 0x01000000);
    EXPECT_EQ(GetRegionData(region.Handle(), 0, nullptr), sizeof(RGNDATAHEADER));
}

TEST(RegionTest, ShapeOfKeyedBitmapAtEveryDepthKeepsAlpha)
{
    // A 5 x 5 magenta frame around a 3 x 3 opaque block.
    TBitmap bitmap;
    bitmap.SetPixelFormat(TPixelFormat::pf32bit);
    bitmap.SetSize(5, 5);
    bitmap.Canvas().Brush().SetColor(clFuchsia);
    bitmap.Canvas().FillRect(RECT{0, 0, 5, 5});
    bitmap.Canvas().Brush().SetColor(clWhite);
    bitmap.Canvas().FillRect(RECT{1, 1, 4, 4});
    bitmap.ScanLine(2)[2 * 4 + 3] = 99;
    for (TPixelFormat format : {TPixelFormat::pf32bit, TPixelFormat::pf24bit, TPixelFormat::pf4bit}) {
        if (format != TPixelFormat::pf32bit)
            bitmap.SetPixelFormat(format);
        kelp::WinRegion region(bitmap, bitmap.TransparentColor());
        RECT box;
        GetRgnBox(region.Handle(), &box);
        EXPECT_TRUE(Same(box, RECT{1, 1, 4, 4})) << static_cast<int>(format);
        EXPECT_TRUE(PtInRegion(region.Handle(), 2, 2));
        EXPECT_FALSE(PtInRegion(region.Handle(), 0, 0));
        if (format == TPixelFormat::pf32bit) {
            EXPECT_EQ(bitmap.ScanLine(2)[2 * 4 + 3], 99);  // only read, never converted
        }
    }
}

TEST(RegionTest, SubtractCloneOffsetAndEmpty)
{
    kelp::WinRegion a, b;
    a.SetRect(0, 0, 10, 10);
    b.SetRect(5, 0, 10, 10);
    a.Subtract(b);
    HRGN copy = a.Clone();
    a.Offset(100, 1);
    RECT box;
    GetRgnBox(copy, &box);
    EXPECT_TRUE(Same(box, RECT{0, 0, 5, 10}));
    GetRgnBox(a.Handle(), &box);
    EXPECT_TRUE(Same(box, RECT{100, 1, 105, 11}));
    DeleteObject(copy);
    EXPECT_EQ(GetRgnBox(kelp::WinRegion::EmptyRegion().Handle(), &box), NULLREGION);

    TBitmap empty;
    a.SetToBitmap(empty, clFuchsia);
    EXPECT_EQ(GetRgnBox(a.Handle(), &box), NULLREGION);
}

TEST(RegionTest, ManyRunsGiveTheSameRegionAsSubtractingEachTransparentPixel)
{
    // Random bitmaps, large enough for the region to be built from many
    // pieces, against the plain method: the full rectangle less every
    // transparent pixel, one subtraction each.
    std::mt19937 engine(7);
    const TColor key = clFuchsia;
    struct Case {
        int width, height;
        int transparentPercent;
        TPixelFormat format;
    };
    const Case cases[] = {{37, 41, 50, TPixelFormat::pf24bit}, {101, 23, 10, TPixelFormat::pf32bit},
                          {63, 64, 90, TPixelFormat::pf24bit}, {1, 200, 50, TPixelFormat::pf32bit},
                          {29, 30, 100, TPixelFormat::pf24bit}, {30, 29, 0, TPixelFormat::pf32bit}};
    for (const Case& c : cases) {
        TBitmap bitmap;
        bitmap.SetPixelFormat(c.format);
        bitmap.SetSize(c.width, c.height);
        const int step = c.format == TPixelFormat::pf32bit ? 4 : 3;
        kelp::WinRegion expected;
        expected.SetRect(0, 0, c.width, c.height);
        kelp::WinRegion pixel;
        for (int y = 0; y < c.height; ++y) {
            uint8_t* p = bitmap.ScanLine(y);
            for (int x = 0; x < c.width; ++x, p += step) {
                const bool transparent = std::uniform_int_distribution<int>(0, 99)(engine) < c.transparentPercent;
                // Opaque pixels near the key differ from it in one byte only.
                p[0] = 0xFF, p[1] = 0x00, p[2] = 0xFF;
                if (!transparent)
                    p[std::uniform_int_distribution<int>(0, 2)(engine)] ^= 1;
                if (step == 4)
                    p[3] = uint8_t(x);
                if (transparent) {
                    pixel.SetRect(x, y, x + 1, y + 1);
                    expected.Subtract(pixel);
                }
            }
        }
        kelp::WinRegion built(bitmap, key);
        EXPECT_TRUE(EqualRgn(built.Handle(), expected.Handle()))
            << c.width << " x " << c.height << ", " << c.transparentPercent << " % transparent";
    }
}

TEST(RegionTest, RunsOfEveryLengthAcrossBlocksOfSixteenGiveTheSameRegionAsSubtractingEachTransparentPixel)
{
    // Rows are read sixteen pixels at a time: runs that end just before,
    // at and just after a block's edge, runs that span whole blocks, and a
    // last block that is cut short. Opaque pixels differ from the key in
    // one byte only.
    std::mt19937 engine(11);
    const int lengths[] = {1, 2, 15, 16, 17, 31, 33, 48};
    for (TPixelFormat format : {TPixelFormat::pf24bit, TPixelFormat::pf32bit}) {
        for (int width : {16, 64, 70, 101}) {
            const int height = 24;
            TBitmap bitmap;
            bitmap.SetPixelFormat(format);
            bitmap.SetSize(width, height);
            const int step = format == TPixelFormat::pf32bit ? 4 : 3;
            kelp::WinRegion expected, pixel;
            expected.SetRect(0, 0, width, height);
            for (int y = 0; y < height; ++y) {
                uint8_t* p = bitmap.ScanLine(y);
                bool transparent = y % 2 == 0;
                int left = std::uniform_int_distribution<int>(0, 48)(engine);
                for (int x = 0; x < width; ++x, p += step, --left) {
                    if (left == 0) {
                        transparent = !transparent;
                        left = lengths[std::uniform_int_distribution<int>(0, 7)(engine)];
                    }
                    p[0] = 0xFF, p[1] = 0x00, p[2] = 0xFF;
                    if (step == 4)
                        p[3] = uint8_t(y * 7 + x);
                    if (!transparent) {
                        p[std::uniform_int_distribution<int>(0, 2)(engine)] ^= 0x80;
                        continue;
                    }
                    pixel.SetRect(x, y, x + 1, y + 1);
                    expected.Subtract(pixel);
                }
            }
            kelp::WinRegion built(bitmap, clFuchsia);
            EXPECT_TRUE(EqualRgn(built.Handle(), expected.Handle()))
                << "width " << width << ", " << (step * 8) << " bits";
        }
    }
}
