#include "kelp/Graphics/WinRegion.h"

#include <gtest/gtest.h>
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
