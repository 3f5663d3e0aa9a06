#include "kelp/Component/TBmpLEDCtrl.h"

#include "framework/TForm.h"

#include <gtest/gtest.h>

namespace {

void Solid(TBitmap& bitmap, int w, int h, TColor color)
{
    bitmap.SetSize(w, h);
    bitmap.Canvas().Brush().SetColor(color);
    bitmap.Canvas().FillRect(RECT{0, 0, w, h});
}

class BmpLEDCtrlTest : public testing::Test {
protected:
    TForm host{nullptr};
};

} // namespace

TEST_F(BmpLEDCtrlTest, ShowsOnlyTheCurrentStateAndRedrawsOnlyForIt)
{
    kelp::TBmpLEDCtrl display(&host, 3);
    EXPECT_EQ(display.StateCount(), 3);
    EXPECT_EQ(display.GetState(), 0);
    EXPECT_TRUE(display.Bitmap(0).Empty());
    EXPECT_EQ(display.Width(), 0);
    EXPECT_EQ(display.Host().Image().Parent(), &host);
    display.SetSize(4, 4);
    display.Refresh();  // empty state 0: nothing drawn, background stays
    TBitmap& surface = display.Host().Bitmap();
    EXPECT_EQ(surface.PixelColor(1, 1), clWhite);

    TBitmap red, green;
    Solid(red, 4, 4, 0x0000FF);
    Solid(green, 2, 2, 0x00FF00);
    display.AssignBitmap(green, 1);                  // not shown: no redraw
    EXPECT_EQ(surface.PixelColor(1, 1), clWhite);
    display.AssignBitmap(red, 0);                    // shown: redraws at once
    EXPECT_EQ(surface.PixelColor(1, 1), 0x0000FFu);

    display.SetState(1);
    EXPECT_EQ(surface.PixelColor(1, 1), 0x00FF00u);
    EXPECT_EQ(surface.PixelColor(3, 3), 0x0000FFu);  // a smaller bitmap covers only its area

    display.Bitmap(0).Canvas().SetPixel(0, 0, clBlack);  // hidden state: no change
    EXPECT_EQ(surface.PixelColor(0, 0), 0x00FF00u);
    display.Bitmap(1).Canvas().SetPixel(0, 0, clBlack);  // shown state: at once
    EXPECT_EQ(surface.PixelColor(0, 0), clBlack);

    display.MoveBy(3, 2);
    EXPECT_EQ(display.Left(), 3);
    EXPECT_EQ(display.Top(), 2);
    display.SetTransparentColor(0x80000000 | COLOR_WINDOW);  // system colours are stored as RGB
    EXPECT_EQ(display.TransparentColor(), GetSysColor(COLOR_WINDOW));
}

TEST_F(BmpLEDCtrlTest, GrowingFillsNewStripsWithBackground)
{
    kelp::TBmpLEDCtrl display(&host, 1);
    display.SetSize(10, 10);
    TBitmap& surface = display.Host().Bitmap();
    surface.Canvas().Brush().SetColor(clBlack);
    surface.Canvas().FillRect(RECT{0, 0, 10, 10});
    display.Host().SetBackgroundColor(0x00FF00);
    display.SetSize(20, 15);
    EXPECT_EQ(display.Host().Image().Width(), 20);
    EXPECT_EQ(display.Height(), 15);
    for (int y = 0; y < 15; ++y)
        for (int x = 0; x < 20; ++x) {
            TColor expected = (x < 10 && y < 10) ? clBlack : 0x00FF00;
            ASSERT_EQ(surface.PixelColor(x, y), expected) << x << "," << y;
        }
    display.Clear();
    EXPECT_EQ(surface.PixelColor(0, 0), 0x00FF00u);
}

TEST_F(BmpLEDCtrlTest, SurfaceIsDrawnWhenFirstNeededInTheOrderOfItsChanges)
{
    kelp::TBmpLEDCtrl display(&host, 2);
    TBitmap red, blue;
    Solid(red, 4, 4, 0x0000FF);
    Solid(blue, 20, 15, 0xFF0000);
    display.SetSize(10, 10);
    display.Host().SetBackgroundColor(0x00FF00);
    display.SetSize(20, 15);
    display.AssignBitmap(red, 0);   // drawn over part of the surface only
    display.AssignBitmap(blue, 1);  // not shown
    EXPECT_FALSE(display.Host().Drawn());
    EXPECT_EQ(display.Host().Bitmap().Width(), 20);

    // A copy taken now reads what the surface would have shown.
    TBitmap copy;
    copy.Assign(display.Host().Bitmap());
    EXPECT_EQ(copy.PixelColor(1, 1), 0x0000FFu);
    EXPECT_EQ(copy.PixelColor(5, 5), clWhite);      // grown first with white
    EXPECT_EQ(copy.PixelColor(15, 5), 0x00FF00u);   // then with green
    EXPECT_EQ(copy.PixelColor(5, 12), 0x00FF00u);
    EXPECT_TRUE(display.Host().Drawn());
    TBitmap& surface = display.Host().Bitmap();
    for (int y = 0; y < 15; ++y)
        for (int x = 0; x < 20; ++x)
            ASSERT_EQ(surface.PixelColor(x, y), copy.PixelColor(x, y)) << x << "," << y;

    // A state that covers the whole surface hides everything drawn before.
    kelp::TBmpLEDCtrl covered(&host, 2);
    covered.SetSize(20, 15);
    covered.AssignBitmap(red, 0);
    covered.AssignBitmap(blue, 1);
    covered.SetState(1);
    covered.SetState(0);
    EXPECT_FALSE(covered.Host().Drawn());
    EXPECT_EQ(covered.Host().Bitmap().PixelColor(1, 1), 0x0000FFu);
    EXPECT_EQ(covered.Host().Bitmap().PixelColor(15, 5), 0xFF0000u);

    // A copy read only after its surface is gone is empty, not a crash.
    TBitmap orphan;
    {
        kelp::TBmpLEDCtrl gone(&host, 1);
        gone.SetSize(20, 15);
        gone.AssignBitmap(red, 0);
        orphan.Assign(gone.Host().Bitmap());
    }
    EXPECT_EQ(orphan.Handle(), nullptr);
    EXPECT_EQ(orphan.Width(), 0);
}

TEST_F(BmpLEDCtrlTest, Preconditions)
{
    EXPECT_EXIT(kelp::TBmpLEDCtrl(&host, 0), testing::ExitedWithCode(3), "stateCount > 0.*TBmpLEDCtrl");
    kelp::TBmpLEDCtrl display(&host, 2);
    EXPECT_EXIT(display.SetState(2), testing::ExitedWithCode(3), "state >= 0 && state < StateCount\\(\\)");
    EXPECT_EXIT(display.Bitmap(2), testing::ExitedWithCode(3), "index < \\(int\\) m_bitmaps.size\\(\\)");
}
