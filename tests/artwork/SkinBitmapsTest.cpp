// The skin bitmaps as the controls hold them: one size and one outline per
// control, magenta only outside the shapes, and soft edges that were laid
// over the panel rather than over magenta.

#include "MainFormArt.h"

#include "framework/controls/TImage.h"
#include "tests/support/MagentaFringe.h"

using namespace arttest;

namespace {

TEST(SkinBitmaps, EveryStateOfAControlHasTheSizeAndKeyOfItsFirstBitmap)
{
    for (VtCustomControl* control : SkinnedControls()) {
        const std::string name = control->Name();
        TBitmap& first = control->GetStateBitmap(0);
        ASSERT_FALSE(first.Empty()) << name;
        EXPECT_EQ(control->Width(), first.Width()) << name;
        EXPECT_EQ(control->Height(), first.Height()) << name;
        EXPECT_TRUE(control->Transparent()) << name;
        EXPECT_EQ(control->TransparentColor() & 0xFFFFFF, kKey) << name;
        for (int state = 0; state < control->StateCount(); ++state) {
            TBitmap& bitmap = control->GetStateBitmap(state);
            if (bitmap.Empty())
                continue;
            EXPECT_EQ(bitmap.Width(), first.Width()) << name << " state " << state;
            EXPECT_EQ(bitmap.Height(), first.Height()) << name << " state " << state;
            EXPECT_EQ(bitmap.PixelColor(0, bitmap.Height() - 1), kKey) << name << " state " << state;
        }
    }
}

TEST(SkinBitmaps, ButtonsHaveAllFourLooksAndLampsBothLights)
{
    for (VtCustomControl* control : SkinnedControls()) {
        const std::string name = control->Name();
        // A lamp is a bar: lit (0) and dark (2); its mouse-over look falls back to lit.
        const bool lamp = name.size() > 3 && name.compare(name.size() - 3, 3, "Led") == 0;
        for (int state = 0; state < control->StateCount(); ++state) {
            const bool needed = lamp ? state != 1 : state < 8;
            if (needed) {
                EXPECT_FALSE(control->GetStateBitmap(state).Empty()) << name << " state " << state;
            }
        }
    }
}

TEST(SkinBitmaps, SoftEdgesShowNoMagentaFringe)
{
    for (VtCustomControl* control : SkinnedControls())
        for (int state = 0; state < control->StateCount(); ++state)
            EXPECT_EQ(FringePixels(control->GetStateBitmap(state)), 0) << control->Name() << " state " << state;
    for (const char* image : {"LargeBk", "SmallBk", "WattsBk", "WattHrBk", "MgBk", "GBk", "KgBk", "MacroBk"})
        EXPECT_EQ(FringePixels(Component<TImage>(image).Picture()), 0) << image;
}

// Key pixels inside the outline would punch holes into the window: in every
// row they may only run in from the two ends.
TEST(SkinBitmaps, WindowOutlineHasNoHoles)
{
    for (const char* name : {"LargeBk", "SmallBk"}) {
        TBitmap& bitmap = Component<TImage>(name).Picture();
        EXPECT_EQ(bitmap.PixelColor(0, bitmap.Height() - 1), kKey) << name;
        int holes = 0;
        for (int y = 0; y < bitmap.Height(); ++y) {
            int left = 0, right = bitmap.Width() - 1;
            while (left <= right && bitmap.PixelColor(left, y) == kKey)
                ++left;
            while (right >= left && bitmap.PixelColor(right, y) == kKey)
                --right;
            for (int x = left; x <= right; ++x)
                holes += bitmap.PixelColor(x, y) == kKey;
        }
        EXPECT_EQ(holes, 0) << name;
    }
}

TEST(SkinBitmaps, UnitImagesAreKeyedAndTheCo2UnitFitsItsReadout)
{
    for (const char* name : {"WattsBk", "WattHrBk", "MgBk", "GBk", "KgBk", "MacroBk"}) {
        TBitmap& unit = Component<TImage>(name).Picture();
        ASSERT_FALSE(unit.Empty()) << name;
        EXPECT_EQ(unit.PixelColor(0, unit.Height() - 1), kKey) << name;
    }
    for (const char* name : {"MgBk", "GBk", "KgBk"}) {
        TBitmap& unit = Component<TImage>(name).Picture();
        EXPECT_LE(kCo2Top + 4 + unit.Height(), kBandTop + kShrink) << name;
        EXPECT_LE(kCo2Left + 162 + unit.Width(), Component<TControl>("Date").Left()) << name;
    }
}

} // namespace
