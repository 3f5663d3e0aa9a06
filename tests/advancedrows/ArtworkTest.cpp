// The form's artwork as the form holds it: the sizes the rows are built
// for, one size and one key per control, and no pink fringes.

#include "tests/advancedrows/AdvancedForms.h"
#include "tests/support/MagentaFringe.h"

#include <gtest/gtest.h>

using namespace advancedtest;

namespace {

TEST(AdvancedSettingArtwork, PicturesHaveTheSizesTheRowsAreBuiltFor)
{
    TAdvancedSetting& form = BasicForm();
    const std::tuple<TImage*, int, int> sizes[] = {
        {form.Arrow_n, 14, 14},          {form.Arrow_d, 14, 14},          {form.Arrow_o, 14, 14},
        {form.Arrow_un, 14, 14},         {form.ComboBoxBody, 163, 6},     {form.ComboBoxBk, 137, 19},
        {form.GrayAreaSave, 327, 19},    {form.GraySliderSave, 354, 25},  {form.GraySliderSave2, 364, 33},
        {form.Background_Spec, 444, 424}, {form.Background_Basic, 444, 375}};
    for (auto [image, width, height] : sizes) {
        EXPECT_EQ(image->Picture().Width(), width) << image->Name();
        EXPECT_EQ(image->Picture().Height(), height) << image->Name();
        EXPECT_EQ(FringePixels(image->Picture()), 0) << image->Name();
    }
    EXPECT_EQ(form.ComboBoxBottom->Picture().Width(), 163);
}

TEST(AdvancedSettingArtwork, EveryLookOfAControlHasItsSizeKeyAndNoFringe)
{
    TAdvancedSetting& form = BasicForm();
    VtCustomControl* const controls[] = {form.CloseButton, form.MinimizeButton, form.TurboTab,    form.NormalTab,
                                         form.MediumTab,   form.LowTab,         form.DefaultButton, form.OkButton,
                                         form.CancelButton};
    for (VtCustomControl* control : controls) {
        const std::string name = control->Name();
        TBitmap& first = control->GetStateBitmap(0);
        EXPECT_EQ(control->Width(), first.Width()) << name;
        EXPECT_EQ(control->Height(), first.Height()) << name;
        for (int state = 0; state < control->StateCount(); ++state) {
            TBitmap& look = control->GetStateBitmap(state);
            ASSERT_FALSE(look.Empty()) << name << " state " << state;
            EXPECT_EQ(look.Width(), first.Width()) << name << " state " << state;
            EXPECT_EQ(look.PixelColor(0, look.Height() - 1), kMagentaKey) << name << " state " << state;
            EXPECT_EQ(FringePixels(look), 0) << name << " state " << state;
        }
    }
}

} // namespace
