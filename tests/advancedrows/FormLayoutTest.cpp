// The form in its basic and extended layouts: background, size, outline and
// the show hook.

#include "tests/advancedrows/AdvancedForms.h"

#include <gtest/gtest.h>

using namespace advancedtest;

namespace {

void ExpectCopyOf(TImage& background, TImage& picture)
{
    ASSERT_EQ(background.Picture().Width(), picture.Picture().Width());
    ASSERT_EQ(background.Picture().Height(), picture.Picture().Height());
    for (int y = 0; y < picture.Picture().Height(); y += 37)
        for (int x = 0; x < picture.Picture().Width(); x += 23)
            ASSERT_EQ(background.Picture().PixelColor(x, y), picture.Picture().PixelColor(x, y)) << x << "," << y;
}

bool InsideOutline(TForm& form, int x, int y)
{
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    const bool shaped = GetWindowRgn(form.Handle(), region) != ERROR;
    const bool inside = shaped && PtInRegion(region, x, y);
    DeleteObject(region);
    return inside;
}

TEST(AdvancedSettingForm, BasicLayoutTakesTheBasicPictureAndItsSize)
{
    TAdvancedSetting& form = BasicForm();
    EXPECT_FALSE(form.IsExtended());
    ExpectCopyOf(*form.Background, *form.Background_Basic);
    EXPECT_EQ(form.ClientWidth(), 444);
    EXPECT_EQ(form.ClientHeight(), 375);
    EXPECT_TRUE(InsideOutline(form, 222, 200));
    EXPECT_FALSE(InsideOutline(form, 0, 374));
    EXPECT_FALSE(InsideOutline(form, 222, 380));
}

TEST(AdvancedSettingForm, ExtendedLayoutTakesTheTallerPicture)
{
    TAdvancedSetting& form = ExtendedForm();
    EXPECT_TRUE(form.IsExtended());
    ExpectCopyOf(*form.Background, *form.Background_Spec);
    EXPECT_EQ(form.ClientWidth(), 444);
    EXPECT_EQ(form.ClientHeight(), 424);
    EXPECT_TRUE(InsideOutline(form, 222, 400));
    EXPECT_FALSE(InsideOutline(form, 0, 423));
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
