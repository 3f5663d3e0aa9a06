// Captions of the text controls: where and in which colour they are drawn
// over the state bitmap.

#include "VtPackage/VtBrickTx.h"
#include "VtPackage/VtButtonTx.h"
#include "VtTestSupport.h"

#include <algorithm>
#include <climits>

using namespace vttest;

namespace {

constexpr TColor kInk = 0x00FFFF;  // yellow: in none of the artwork

// The bounding box of the pixels in the colour, empty when there are none.
RECT InkBounds(TWinControl& control, TColor colour)
{
    TBitmap painted;
    PaintInto(control, painted);
    RECT box{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
    for (int y = 0; y < painted.Height(); ++y)
        for (int x = 0; x < painted.Width(); ++x)
            if (painted.PixelColor(x, y) == colour) {
                box.left = std::min<LONG>(box.left, x);
                box.top = std::min<LONG>(box.top, y);
                box.right = std::max<LONG>(box.right, x + 1);
                box.bottom = std::max<LONG>(box.bottom, y + 1);
            }
    return box.left == INT_MAX ? RECT{0, 0, 0, 0} : box;
}

class ButtonTxTest : public FormTest {
protected:
    ButtonTxTest() : button(Place<VtButtonTx>(20, 20))
    {
        button.LoadBitmap(ArtFolder(), "button_raised.bmp", "button_sunken.bmp", "button_focused.bmp",
                          "button_disabled.bmp");
        button.Font().SetName("Tahoma");
        button.Font().SetHeight(-13);
        button.Font().SetColor(kInk);
        button.SetText("OK");
    }

    VtButtonTx& button;
};

} // namespace

TEST_F(ButtonTxTest, PressedCaptionMovesOnlyOnItsFirstDrawing)
{
    const RECT normal = InkBounds(button, kInk);
    ASSERT_GT(normal.right, normal.left);
    EXPECT_EQ(ShownState(button, 0, 3), 0);  // the caption leaves the top rows alone

    Move(button, 40, 14);
    Down(button, 40, 14);
    ASSERT_EQ(ShownState(button, 0, 3), 1);
    const RECT pressed = InkBounds(button, kInk);
    EXPECT_EQ(pressed.left, normal.left + 2);
    EXPECT_EQ(pressed.top, normal.top + 2);

    // Redrawn for a font change while still pressed: back in place.
    button.Font().SetStyle(fsBold);
    button.Font().SetStyle(0);
    const RECT redrawn = InkBounds(button, kInk);
    EXPECT_EQ(redrawn.left, normal.left);
    EXPECT_EQ(redrawn.top, normal.top);

    Up(button, 40, 14);
    button.SetDisp(0, 5);
    Down(button, 40, 14);
    EXPECT_EQ(InkBounds(button, kInk).top, normal.top + 5);
}

TEST_F(ButtonTxTest, CaptionColourFollowsTheLook)
{
    constexpr TColor kHover = 0x00FF00, kPressed = 0xFF0000;
    button.FontColors().SetFocused(kHover);
    button.FontColors().SetSunken(kPressed);
    Move(button, 40, 14);
    EXPECT_GT(InkBounds(button, kHover).right, 0);
    EXPECT_EQ(InkBounds(button, kInk).right, 0);
    Down(button, 40, 14);
    EXPECT_GT(InkBounds(button, kPressed).right, 0);

    // Disabled without a colour of its own: the system's grayed text.
    button.SetEnabled(false);
    const TColor gray = GetSysColor(COLOR_GRAYTEXT);
    EXPECT_EQ(button.GetFontColorOfCurState(), gray);
    EXPECT_GT(InkBounds(button, gray).right, 0);
    button.FontColors().SetDisabled(kPressed);
    EXPECT_GT(InkBounds(button, kPressed).right, 0);
}

TEST_F(ButtonTxTest, ResizingResetsTheTextBoundsAndTextBoundsNarrowThem)
{
    button.SetTextBounds(0, 0, 24, 28);
    const RECT left = InkBounds(button, kInk);
    EXPECT_LT(left.right, 24);
    // A size request the base bitmap overrides still gives the caption
    // the whole control.
    button.SetBounds(20, 20, 10, 5);
    EXPECT_EQ(button.TextBounds().right, 84);
    EXPECT_EQ(button.TextBounds().bottom, 28);
    const RECT centred = InkBounds(button, kInk);
    EXPECT_GT(centred.left, 24);
}

TEST_F(ButtonTxTest, WordWrapBreaksALongCaptionIntoLines)
{
    button.SetText("Apply all settings");
    const RECT single = InkBounds(button, kInk);
    button.SetWordWrap(true);
    const RECT wrapped = InkBounds(button, kInk);
    EXPECT_GT(wrapped.bottom - wrapped.top, single.bottom - single.top);
}

TEST_F(FormTest, BrickCaptionUsesFocusedAndGrayedColours)
{
    auto& brick = Place<VtBrickTx>(10, 10);
    brick.LoadBitmap(ArtFolder(), "brick_normal.bmp", "brick_focused.bmp", "brick_disabled.bmp");
    brick.Font().SetColor(kInk);
    brick.SetText("Info");
    EXPECT_GT(InkBounds(brick, kInk).right, 0);
    brick.FontColors().SetFocused(0x00FF00);
    Move(brick, 20, 10);
    EXPECT_EQ(ShownState(brick, 0, 3), 1);
    EXPECT_GT(InkBounds(brick, 0x00FF00).right, 0);
    // A brick takes no press: the normal look, caption unmoved.
    Down(brick, 20, 10);
    EXPECT_EQ(ShownState(brick, 0, 3), 1);
    brick.SetEnabled(false);
    EXPECT_GT(InkBounds(brick, GetSysColor(COLOR_GRAYTEXT)).right, 0);
}

// New artwork for the look on screen (a skin change while hovering) is
// drawn with the caption over it, for buttons and bricks, for the hovered
// look and for the base look.
TEST_F(ButtonTxTest, ReplacingTheShownBitmapKeepsTheCaption)
{
    Move(button, 40, 14);
    ASSERT_EQ(ShownState(button, 0, 3), 2);
    button.SetStateBitmap(Art("button_sunken.bmp"), 2);
    EXPECT_EQ(ShownState(button, 0, 3), 1) << "the new artwork is shown";
    EXPECT_GT(InkBounds(button, kInk).right, 0) << "caption erased by the new hovered look";

    button.SetEnabled(false);
    button.SetEnabled(true);
    ASSERT_EQ(button.ShownIndex(), 0);
    button.SetStateBitmap(Art("button_focused.bmp"), 0);
    EXPECT_GT(InkBounds(button, kInk).right, 0) << "caption erased by the new base look";

    auto& brick = Place<VtBrickTx>(10, 60);
    brick.LoadBitmap(ArtFolder(), "brick_normal.bmp", "brick_focused.bmp", "brick_disabled.bmp");
    brick.Font().SetColor(kInk);
    brick.SetText("Info");
    Move(brick, 20, 10);
    ASSERT_EQ(brick.ShownIndex(), 1);
    brick.SetStateBitmap(Art("brick_disabled.bmp"), 1);
    EXPECT_GT(InkBounds(brick, kInk).right, 0) << "caption erased by the new hovered brick look";
}
