#include "kelp/widget/layout/BitmapEffects.h"
#include "kelp/widget/layout/ItemPainters.h"
#include "kelp/widget/layout/ShadowRenderer.h"

#include <gtest/gtest.h>
#include <cmath>

namespace {

void Fill(TBitmap& bitmap, uint8_t b, uint8_t g, uint8_t r, uint8_t a)
{
    int step = bitmap.PixelFormat() == TPixelFormat::pf32bit ? 4 : 3;
    for (int y = 0; y < bitmap.Height(); ++y) {
        uint8_t* p = bitmap.ScanLine(y);
        for (int x = 0; x < bitmap.Width(); ++x, p += step) {
            p[0] = b, p[1] = g, p[2] = r;
            if (step == 4)
                p[3] = a;
        }
    }
}

TBitmap* Make(TBitmap& bitmap, TPixelFormat format, int w, int h)
{
    bitmap.SetPixelFormat(format);
    bitmap.SetSize(w, h);
    return &bitmap;
}

} // namespace

TEST(AlphaBlendTest, TransparentSourceKeepsOpaqueReplacesHalfBlends)
{
    TBitmap source, destination;
    Make(source, TPixelFormat::pf32bit, 2, 2);
    Make(destination, TPixelFormat::pf32bit, 2, 2);
    Fill(destination, 10, 20, 30, 77);

    Fill(source, 200, 200, 200, 0);
    kelp::AlphaBlend(source, RECT{0, 0, 2, 2}, destination, POINT{0, 0}, 255);
    EXPECT_EQ(destination.ScanLine(1)[0], 10);
    EXPECT_EQ(destination.ScanLine(1)[2], 30);

    Fill(source, 1, 2, 3, 255);
    kelp::AlphaBlend(source, RECT{0, 0, 2, 2}, destination, POINT{0, 0}, 255);
    const uint8_t* p = destination.ScanLine(1) + 4;
    EXPECT_EQ(p[0], 1);
    EXPECT_EQ(p[1], 2);
    EXPECT_EQ(p[2], 3);
    EXPECT_EQ(p[3], 77);  // destination alpha untouched

    // Alpha 255 at opacity 51 is one fifth: 100 * 0.8 + 0.2 * 200 = 120.
    Fill(destination, 100, 100, 100, 0);
    Fill(source, 200, 200, 200, 255);
    kelp::AlphaBlend(source, RECT{0, 0, 2, 2}, destination, POINT{0, 0}, 51);
    EXPECT_EQ(destination.ScanLine(0)[0], 120);
}

TEST(AlphaBlendTest, ClipsAtDestinationEdgesAndConvertsDestination)
{
    TBitmap source, destination;
    Make(source, TPixelFormat::pf32bit, 4, 4);
    Fill(source, 255, 255, 255, 255);
    Make(destination, TPixelFormat::pf4bit, 4, 4);  // not 32 bits: becomes 24
    destination.Canvas().Brush().SetColor(clBlack);
    destination.Canvas().FillRect(RECT{0, 0, 4, 4});

    kelp::AlphaBlend(source, RECT{0, 0, 4, 4}, destination, POINT{2, 0}, 255);
    EXPECT_EQ(destination.PixelFormat(), TPixelFormat::pf24bit);
    for (int x = 0; x < 4; ++x)
        EXPECT_EQ(destination.PixelColor(x, 3), x < 2 ? clBlack : clWhite) << x;

    // A point before the origin writes only the overlap, never outside.
    Fill(destination, 0, 0, 0, 0);
    kelp::AlphaBlend(source, RECT{0, 0, 4, 4}, destination, POINT{-3, -3}, 255);
    EXPECT_EQ(destination.PixelColor(0, 0), clWhite);
    EXPECT_EQ(destination.PixelColor(1, 0), clBlack);
    EXPECT_EQ(destination.PixelColor(0, 1), clBlack);
}

TEST(AlphaBlendDeathTest, RectangleLargerThanSourceStops)
{
    TBitmap source, destination;
    Make(source, TPixelFormat::pf32bit, 2, 2);
    Make(destination, TPixelFormat::pf32bit, 8, 8);
    EXPECT_EXIT(kelp::AlphaBlend(source, RECT{0, 0, 3, 3}, destination, POINT{0, 0}, 255),
                testing::ExitedWithCode(3), "maxRow <= src->Height && maxCol <= src->Width");
}

TEST(EffectsTest, LuminanceOfWhiteAndRed)
{
    TBitmap bitmap;
    Make(bitmap, TPixelFormat::pf32bit, 2, 1);
    uint8_t* p = bitmap.ScanLine(0);
    p[0] = p[1] = p[2] = 255;
    p[4] = 0, p[5] = 0, p[6] = 255;
    kelp::IntMatrix luminance = kelp::ToLuminance(bitmap);
    EXPECT_EQ(luminance.At(0, 0), 255);
    EXPECT_EQ(luminance.At(0, 1), 76);
}

TEST(EffectsTest, FixedKernelsAreSharedAndRadiusThreeIsGenerated)
{
    auto k1 = kelp::GetKernel(1);
    EXPECT_EQ(k1.divisor, 16);
    EXPECT_EQ(k1.matrix->At(1, 1), 4);
    auto k2 = kelp::GetKernel(2);
    EXPECT_EQ(k2.divisor, 273);
    EXPECT_EQ(k2.matrix->At(2, 2), 41);
    EXPECT_EQ(kelp::GetKernel(2).matrix, k2.matrix);

    auto k3 = kelp::GetKernel(3);
    ASSERT_EQ(k3.matrix->Rows(), 7);
    ASSERT_EQ(k3.matrix->Columns(), 7);
    // sigma 1: b = round(e^9) = 8103, so the corner is 1 and the centre b.
    EXPECT_EQ(k3.matrix->At(0, 0), 1);
    EXPECT_EQ(k3.matrix->At(6, 6), 1);
    EXPECT_EQ(k3.matrix->At(3, 3), 8103);
    EXPECT_EQ(k3.matrix->At(3, 4), static_cast<int>(std::exp(-0.5) * 8103 + 0.5));
    int sum = 0;
    for (int i = 0; i < 7; ++i)
        for (int j = 0; j < 7; ++j) {
            sum += k3.matrix->At(i, j);
            EXPECT_EQ(k3.matrix->At(i, j), k3.matrix->At(j, 6 - i));  // symmetric under rotation
        }
    EXPECT_EQ(k3.divisor, sum);
    EXPECT_NE(kelp::GetKernel(3).matrix, k3.matrix);
    EXPECT_EXIT(kelp::GetKernel(0), testing::ExitedWithCode(3), "r > 0");
}

TEST(EffectsTest, ConvolveWritesOnlyWhereKernelFits)
{
    kelp::IntMatrix input(3, 4), output(3, 4);
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 4; ++j) {
            input.At(i, j) = 16;
            output.At(i, j) = -1;
        }
    input.At(1, 1) = 32;
    kelp::Convolve(input, *kelp::GetKernel(1).matrix, output, 1, 1, 16);
    EXPECT_EQ(output.At(1, 1), 20);  // (16 * 16 + 16 * 4 + 8) / 16
    EXPECT_EQ(output.At(1, 2), 18);  // (16 * 16 + 16 * 2 + 8) / 16
    EXPECT_EQ(output.At(0, 0), -1);
    EXPECT_EQ(output.At(2, 3), -1);
    EXPECT_EQ(output.At(1, 3), -1);
}

TEST(ShadowTest, FiveByFiveRadiusTwoHasAlphaOnlyInTheCentreInEveryFormat)
{
    // Bitmaps of any format come back as 32-bit shadows.
    for (TPixelFormat format : {TPixelFormat::pf32bit, TPixelFormat::pf24bit, TPixelFormat::pf4bit}) {
        TBitmap bitmap;
        Make(bitmap, format, 5, 5);
        bitmap.Canvas().Brush().SetColor(clWhite);
        bitmap.Canvas().FillRect(RECT{0, 0, 5, 5});
        kelp::ShadowRenderer renderer;
        renderer.shadowColor = 0x0000FF;
        renderer.MakeShadow(bitmap);
        ASSERT_EQ(bitmap.PixelFormat(), TPixelFormat::pf32bit);
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 5; ++x) {
                const uint8_t* p = bitmap.ScanLine(y) + x * 4;
                EXPECT_EQ(p[3], (x == 2 && y == 2) ? 120 : 0) << x << "," << y;
                EXPECT_EQ(p[2], 255);
                EXPECT_EQ(p[0], 0);
            }
    }
}

TEST(ShadowTest, RadiusWiderThanTheBitmapLeavesItTransparent)
{
    TBitmap bitmap;
    Make(bitmap, TPixelFormat::pf32bit, 6, 40);
    Fill(bitmap, 255, 255, 255, 0);
    kelp::ShadowRenderer renderer;
    renderer.radius = 1000;  // no kernel that wide is ever built
    renderer.MakeShadow(bitmap);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 6; ++x)
            EXPECT_EQ(bitmap.ScanLine(y)[x * 4 + 3], 0);
    // Five pixels across is wide enough for radius 2 but not for 3.
    Make(bitmap, TPixelFormat::pf32bit, 5, 40);
    Fill(bitmap, 255, 255, 255, 0);
    renderer.radius = 3;
    renderer.MakeShadow(bitmap);
    EXPECT_EQ(bitmap.ScanLine(20)[2 * 4 + 3], 0);
    Fill(bitmap, 255, 255, 255, 0);
    renderer.radius = 2;
    renderer.MakeShadow(bitmap);
    EXPECT_EQ(bitmap.ScanLine(20)[2 * 4 + 3], 120);
}

TEST(ShadowTest, WideRadiusBlurOfWhiteStaysWhite)
{
    // From radius 4 the generated kernel's sums left int before; a white
    // field must still blur to full shadow strength in its middle.
    TBitmap bitmap;
    Make(bitmap, TPixelFormat::pf32bit, 21, 21);
    Fill(bitmap, 255, 255, 255, 0);
    kelp::ShadowRenderer renderer;
    renderer.opacity = 255;
    for (int radius : {4, 5, 8}) {
        Fill(bitmap, 255, 255, 255, 0);
        renderer.radius = radius;
        renderer.MakeShadow(bitmap);
        EXPECT_EQ(bitmap.ScanLine(10)[10 * 4 + 3], 255) << radius;
    }
}

TEST(ShadowTest, ShadowedTextDarkensAroundTheTextOnly)
{
    TBitmap target;
    Make(target, TPixelFormat::pf24bit, 60, 30);
    TCanvas& canvas = target.Canvas();
    canvas.Brush().SetColor(clWhite);
    canvas.FillRect(RECT{0, 0, 60, 30});
    canvas.Font().SetColor(clWhite);  // white text: only the shadow can darken
    canvas.Font().SetHeight(-16);
    auto painter = kelp::ShadowTextPainter::Create();
    painter->DrawText(canvas, "MM", RECT{10, 0, 50, 30}, DT_LEFT | DT_TOP | DT_SINGLELINE, 0);
    int darkened = 0;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 60; ++x)
            if (target.PixelColor(x, y) != clWhite) {
                ++darkened;
                EXPECT_TRUE(x >= 10 && x < 50) << x;
            }
    EXPECT_GT(darkened, 10);

    RECT need{0, 0, 200, 100};
    painter->CalcRect(canvas, "MM", need, DT_SINGLELINE);
    RECT plain{0, 0, 200, 100};
    kelp::TextPainter::Instance()->CalcRect(canvas, "MM", plain, DT_SINGLELINE);
    RECT expected{0, 0, 200, 100};
    kelp::ShadowRenderer renderer;
    renderer.CalcRect(canvas, "MM", expected, DT_SINGLELINE);
    // The painter measures plainly; the renderer shrinks by the radius, then
    // adds 3 pixels and the offset.
    EXPECT_EQ(need.right, plain.right);
    EXPECT_EQ(expected.right, 2 + plain.right + 3 + 1);
    EXPECT_EQ(expected.bottom, 2 + plain.bottom + 3 + 1);
    renderer.enabled = false;
    RECT unchanged{0, 0, 200, 100};
    renderer.CalcRect(canvas, "MM", unchanged, DT_SINGLELINE);
    EXPECT_EQ(unchanged.right, 200);
}

TEST(TextPainterTest, StateColours)
{
    TBitmap target;
    target.SetSize(4, 4);
    TCanvas& canvas = target.Canvas();
    auto painter = kelp::TextPainter::Instance();
    canvas.Font().SetColor(0x123456);
    painter->SetStateColor(canvas, 0);
    EXPECT_EQ(canvas.Font().Color(), 0x123456u);
    painter->SetStateColor(canvas, ODS_SELECTED);
    EXPECT_EQ(canvas.Font().Color(), clHighlightText);
    painter->SetStateColor(canvas, ODS_SELECTED | ODS_DISABLED);
    EXPECT_EQ(canvas.Font().Color(), clGrayText);
    EXPECT_EQ(kelp::TextPainter::Instance(), painter);
}
