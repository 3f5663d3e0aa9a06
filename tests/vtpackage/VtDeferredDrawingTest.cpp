// Controls on a form that has not been shown read no picture and make no
// drawing surface; their first paint shows exactly what a control whose
// pictures were read at once shows, with the same transparent colour and
// hit area.

#include "VtPackage/VtBrick.h"
#include "VtPackage/VtButtonTx.h"
#include "VtTestSupport.h"

using namespace vttest;

namespace {

const char* const kButtonArt[] = {"button_raised.bmp", "button_sunken.bmp", "button_focused.bmp",
                                  "button_disabled.bmp"};

class DeferredDrawingTest : public testing::Test {
protected:
    DeferredDrawingTest()
    {
        Application();
        RegisterVtComponents();
    }

    // A control on the hidden form, without a window, as layouts make them.
    template <typename T>
    T& Place()
    {
        auto* control = new T(&hidden);
        control->SetParent(&hidden);
        control->SetBounds(10, 10, 10, 10);
        return *control;
    }

    static void SetUpCaption(VtButtonTx& button)
    {
        button.Font().SetName("Tahoma");
        button.Font().SetHeight(-13);
        button.Font().SetColor(0x00FFFF);
        button.FontColors().SetFocused(0xFF0000);
        button.SetText("Apply");
    }

    // Both controls paint the same pixels, keep the same colour and answer
    // the mouse alike at every point.
    static void ExpectSame(VtCustomControl& read, VtCustomControl& deferred)
    {
        ASSERT_EQ(deferred.Width(), read.Width());
        ASSERT_EQ(deferred.Height(), read.Height());
        TBitmap expected, painted;
        PaintInto(read, expected);
        PaintInto(deferred, painted);
        for (int y = 0; y < read.Height(); ++y)
            for (int x = 0; x < read.Width(); ++x) {
                ASSERT_EQ(painted.PixelColor(x, y), expected.PixelColor(x, y)) << x << "," << y;
                ASSERT_EQ(deferred.HitTest(x, y), read.HitTest(x, y)) << x << "," << y;
            }
        EXPECT_EQ(deferred.TransparentColor(), read.TransparentColor());
    }

    TForm hidden{nullptr};
};

} // namespace

TEST_F(DeferredDrawingTest, HiddenCaptionedButtonReadsNothingUntilPaintedThenDrawsAsIfReadAtOnce)
{
    VtButtonTx& deferred = Place<VtButtonTx>();
    deferred.LoadBitmap(ArtFolder(), kButtonArt[0], kButtonArt[1], kButtonArt[2], kButtonArt[3]);
    deferred.SetTransparent(true);
    SetUpCaption(deferred);
    deferred.ShowBitmap(2);  // the look changes while hidden: the last one shows

    VtButtonTx& read = Place<VtButtonTx>();
    for (int state = 0; state < 4; ++state)
        read.SetStateBitmap(Art(kButtonArt[state]), state);
    read.SetTransparent(true);
    SetUpCaption(read);
    read.ShowBitmap(2);

    for (int state = 0; state < deferred.StateCount(); ++state)
        EXPECT_TRUE(deferred.GetStateBitmap(state).Deferred()) << state;
    EXPECT_FALSE(deferred.SurfaceDrawn());
    EXPECT_FALSE(read.GetStateBitmap(0).Deferred());

    ExpectSame(read, deferred);
    EXPECT_TRUE(deferred.SurfaceDrawn());
    EXPECT_FALSE(deferred.GetStateBitmap(2).Deferred());
    EXPECT_TRUE(deferred.GetStateBitmap(1).Deferred());  // never shown: still unread

    // Once drawn, changes draw at once, as before.
    deferred.SetText("Undo");
    read.SetText("Undo");
    deferred.ShowSunken();
    read.ShowSunken();
    ExpectSame(read, deferred);
}

TEST_F(DeferredDrawingTest, HiddenBrickTakesItsTransparentColourFromThePictureAsRead)
{
    VtBrick& deferred = Place<VtBrick>();
    // Its upper-left pixel is not the transparent colour.
    deferred.LoadBitmap(ArtFolder(), "brick_marked.bmp", "brick_focused.bmp", "brick_disabled.bmp");
    deferred.SetTransparent(true);
    VtBrick& read = Place<VtBrick>();
    read.SetStateBitmap(Art("brick_marked.bmp"), 0);
    read.SetStateBitmap(Art("brick_focused.bmp"), 1);
    read.SetStateBitmap(Art("brick_disabled.bmp"), 2);
    read.SetTransparent(true);
    EXPECT_FALSE(deferred.SurfaceDrawn());

    // Asking for the colour reads the base picture, and nothing else.
    EXPECT_EQ(deferred.TransparentColor(), read.TransparentColor());
    EXPECT_EQ(deferred.TransparentColor(), clFuchsia);
    EXPECT_FALSE(deferred.GetStateBitmap(0).Deferred());
    EXPECT_FALSE(deferred.SurfaceDrawn());

    // The window of a form shown later gets the same shape and pixels.
    deferred.HandleNeeded();
    read.HandleNeeded();
    ExpectSame(read, deferred);
}
