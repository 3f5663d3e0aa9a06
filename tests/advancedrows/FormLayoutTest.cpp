// The form in its basic and extended layouts: background, size, outline and
// the show hook.

#include "tests/advancedrows/AdvancedForms.h"

#include <gtest/gtest.h>

using namespace advancedtest;

namespace {

bool InsideOutline(TForm& form, int x, int y)
{
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    const bool shaped = GetWindowRgn(form.Handle(), region) != ERROR;
    const bool inside = shaped && PtInRegion(region, x, y);
    DeleteObject(region);
    return inside;
}

// The background is a copy of the layout's picture, and the window has its
// size and outline.
void ExpectLayout(TAdvancedSetting& form, TImage& picture, int height)
{
    TBitmap& shown = form.Background->Picture();
    ASSERT_EQ(shown.Width(), picture.Picture().Width());
    ASSERT_EQ(shown.Height(), height);
    for (int y = 0; y < height; y += 37)
        for (int x = 0; x < shown.Width(); x += 23)
            ASSERT_EQ(shown.PixelColor(x, y), picture.Picture().PixelColor(x, y)) << x << "," << y;
    EXPECT_EQ(form.ClientWidth(), 444);
    EXPECT_EQ(form.ClientHeight(), height);
    EXPECT_TRUE(InsideOutline(form, 222, height - 20));
    EXPECT_FALSE(InsideOutline(form, 0, height - 1));
    EXPECT_FALSE(InsideOutline(form, 222, height + 5));
}

TEST(AdvancedSettingForm, BasicLayoutTakesTheBasicPictureAndItsSize)
{
    TAdvancedSetting& form = BasicForm();
    EXPECT_FALSE(form.IsExtended());
    ExpectLayout(form, *form.Background_Basic, 375);
}

TEST(AdvancedSettingForm, ExtendedLayoutTakesTheTallerPicture)
{
    TAdvancedSetting& form = ExtendedForm();
    EXPECT_TRUE(form.IsExtended());
    ExpectLayout(form, *form.Background_Spec, 424);
    // The artwork stays hidden, the background shows.
    EXPECT_FALSE(form.Background_Spec->Visible());
    EXPECT_FALSE(form.ComboBoxBk->Visible());
    EXPECT_TRUE(form.Background->Visible());
}

TEST(AdvancedSettingForm, IsCentredAndRunsTheShowHookEachTime)
{
    TAdvancedSetting& form = BasicForm();
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    EXPECT_NEAR(form.Left(), (screenWidth - form.Width()) / 2, 1);
    EXPECT_NEAR(form.Top(), (screenHeight - form.Height()) / 2, 1);
    int shows = 0;
    form.SetOnShow([&] { ++shows; });
    form.Hide();
    form.Show();
    form.Hide();
    form.Show();
    PumpFor(20);
    EXPECT_EQ(shows, 2);
    form.SetOnShow(nullptr);
}

} // namespace
