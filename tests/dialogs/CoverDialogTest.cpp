// The cover: the main window's outline in the dark cover colour, laid over
// the main window, and taken anew when the main window has shrunk.

#include "screens/dialogs/CoverPicture.h"
#include "tests/dialogs/DialogForms.h"

#include <gtest/gtest.h>

namespace {

using dialogtest::TheForms;

constexpr TColor kKey = RGB(255, 0, 255);

// A main-window background of the given height: a body with a keyed-out
// notch at the top left and a keyed lower-left pixel.
void PaintBackground(TBitmap& picture, int height)
{
    picture.SetSize(60, height);
    TCanvas& canvas = picture.Canvas();
    canvas.Brush().SetColor(RGB(40, 44, 50));
    canvas.FillRect(RECT{0, 0, 60, height});
    canvas.Brush().SetColor(kKey);
    canvas.FillRect(RECT{0, 0, 6, 6});
    canvas.FillRect(RECT{0, height - 1, 1, height});
    picture.Changed();
}

TEST(CoverPicture, KeyedPixelsStayEveryOtherTakesTheCoverColour)
{
    TBitmap main, cover;
    PaintBackground(main, 30);
    main.Canvas().Brush().SetColor(RGB(255, 255, 255));
    main.Canvas().FillRect(RECT{30, 10, 31, 11});
    dialogs::BuildCoverPicture(main, cover);
    ASSERT_EQ(cover.Width(), 60);
    ASSERT_EQ(cover.Height(), 30);
    EXPECT_EQ(cover.PixelFormat(), TPixelFormat::pf24bit);
    EXPECT_EQ(cover.PixelColor(2, 2), kKey);
    EXPECT_EQ(cover.PixelColor(0, 29), kKey);
    EXPECT_EQ(cover.PixelColor(30, 10), RGB(89, 81, 60));
    EXPECT_EQ(cover.PixelColor(59, 29), RGB(89, 81, 60));
}

class Cover : public testing::Test {
protected:
    void SetUp() override
    {
        main.SetBounds(120, 90, 60, 40);
        static TImage* image = [&] {
            auto* created = new TImage(&main);
            created->SetParent(&main);
            created->SetAutoSize(true);
            PaintBackground(created->Picture(), 40);
            TheForms().cover->Prepare(main, *created);
            return created;
        }();
        background = image;
        PaintBackground(background->Picture(), 40);
    }
    void TearDown() override { cover.Hide(); }

    TForm& main = *TheForms().main;
    TCoverDialog& cover = *TheForms().cover;
    TImage* background = nullptr;
};

TEST_F(Cover, LiesOverTheMainWindowWithItsOutline)
{
    main.Show();
    cover.Show();
    PumpFor(50);
    EXPECT_EQ(cover.Left(), main.Left());
    EXPECT_EQ(cover.Top(), main.Top());
    EXPECT_EQ(cover.Background->Height(), 40);
    EXPECT_EQ(cover.Background->Picture().PixelColor(30, 20), RGB(89, 81, 60));
    EXPECT_EQ(GetWindow(cover.Handle(), GW_OWNER), main.Handle());
    EXPECT_NE(GetWindowLongA(cover.Handle(), GWL_EXSTYLE) & WS_EX_LAYERED, 0);
}

TEST_F(Cover, TakesTheShrunkOutlineAtTheNextShow)
{
    cover.Show();
    cover.Hide();
    PaintBackground(background->Picture(), 25);
    main.SetBounds(200, 150, 60, 25);
    cover.Show();
    EXPECT_EQ(cover.Background->Height(), 25);
    EXPECT_EQ(cover.ClientHeight(), 25);
    EXPECT_EQ(cover.Left(), 200);
    EXPECT_EQ(cover.Top(), 150);
    EXPECT_EQ(cover.Background->Picture().PixelColor(0, 24), kKey);
}

} // namespace
