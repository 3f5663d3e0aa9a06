// The pressed, hover and focus state machine on real windows, seen through
// the painted state bitmap.

#include "VtPackage/VtButton.h"
#include "VtTestSupport.h"

#include <vector>

using namespace vttest;

namespace {

enum { kRaised = 0, kSunken = 1, kFocused = 2, kDisabled = 3 };

class ButtonStateTest : public FormTest {
protected:
    ButtonStateTest() : button(Place<VtButton>(20, 20))
    {
        button.LoadBitmap(ArtFolder(), "button_raised.bmp", "button_sunken.bmp", "button_focused.bmp",
                          "button_disabled.bmp");
        button.OnClick = [this](TObject*) { ++clicks; };
        button.OnMouseEnter = [this](TObject*) { events.push_back("enter"); };
        button.OnMouseLeave = [this](TObject*) { events.push_back("leave"); };
    }

    VtButton& button;
    int clicks = 0;
    std::vector<std::string> events;
};

} // namespace

TEST_F(ButtonStateTest, TakesTheBaseBitmapsSizeAndShowsIt)
{
    EXPECT_EQ(button.Width(), 84);
    EXPECT_EQ(button.Height(), 28);
    button.SetBounds(20, 20, 200, 5);  // the base bitmap decides the size
    EXPECT_EQ(button.Width(), 84);
    EXPECT_EQ(button.Height(), 28);
    EXPECT_EQ(ShownState(button), kRaised);
}

TEST_F(ButtonStateTest, HoverShowsTheFocusedLookAndLeavingRestoresIt)
{
    Move(button, 40, 14);
    EXPECT_EQ(ShownState(button), kFocused);
    Move(button, 300, 14);  // the window sees the move outside while tracking
    EXPECT_EQ(ShownState(button), kRaised);
    EXPECT_EQ(events, (std::vector<std::string>{"enter", "leave"}));

    // The system's own leave notification ends the hover as well.
    Move(button, 40, 14);
    SendMessageA(button.Handle(), WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(ShownState(button), kRaised);
    EXPECT_EQ(events.size(), 4u);

    button.SetShowMouseOver(false);
    Move(button, 40, 14);
    EXPECT_EQ(ShownState(button), kRaised);
}

TEST_F(ButtonStateTest, LeavingWithTheButtonHeldReleasesWithoutClickAndComingBackPressesAgain)
{
    Move(button, 40, 14);
    Down(button, 40, 14);
    EXPECT_EQ(ShownState(button), kSunken);
    EXPECT_TRUE(button.MousePressed());

    Move(button, 150, 14, true);  // captured: the window still gets the move
    EXPECT_EQ(ShownState(button), kRaised);
    EXPECT_FALSE(button.MousePressed());
    EXPECT_EQ(events, (std::vector<std::string>{"enter"}));  // no leave for that exit

    Move(button, 40, 14, true);
    EXPECT_EQ(ShownState(button), kSunken);
    EXPECT_TRUE(button.MousePressed());

    Move(button, 150, 14, true);
    Up(button, 150, 14);
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(ShownState(button), kRaised);

    // A press released inside clicks and shows the hovered look.
    Move(button, 40, 14);
    Down(button, 40, 14);
    Up(button, 40, 14);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(ShownState(button), kFocused);
}

TEST_F(ButtonStateTest, SpaceHeldShowsPressedAndReleaseClicksAndShowsFocused)
{
    button.SetTabStop(true);
    button.SetFocus();
    EXPECT_EQ(ShownState(button), kFocused);
    KeyDown(button, VK_SPACE);
    EXPECT_EQ(ShownState(button), kSunken);
    EXPECT_TRUE(button.KeyPressed());
    EXPECT_EQ(clicks, 1);  // the typed space is the click
    KeyUp(button, VK_SPACE);
    EXPECT_EQ(ShownState(button), kFocused);
    EXPECT_FALSE(button.KeyPressed());

    // Enter only shows the pressed look.
    KeyDown(button, VK_RETURN);
    EXPECT_EQ(ShownState(button), kSunken);
    KeyUp(button, VK_RETURN);
    EXPECT_EQ(clicks, 1);

    // Losing the focus during a key press releases it.
    KeyDown(button, VK_SPACE);
    form.SetFocus();
    EXPECT_FALSE(button.KeyPressed());
    EXPECT_EQ(ShownState(button), kRaised);
}

TEST_F(ButtonStateTest, DisablingAHoveredPressedButtonShowsDisabledAndClearsBoth)
{
    Move(button, 40, 14);
    Down(button, 40, 14);
    ASSERT_EQ(ShownState(button), kSunken);
    button.SetEnabled(false);
    EXPECT_EQ(ShownState(button), kDisabled);
    EXPECT_FALSE(button.MousePressed());
    EXPECT_FALSE(button.Hovering());
    EXPECT_FALSE(IsWindowEnabled(button.Handle()));
    button.SetEnabled(true);
    EXPECT_EQ(ShownState(button), kRaised);
}

TEST_F(ButtonStateTest, ClicksDisabledIgnoresPressesButStillHovers)
{
    Move(button, 40, 14);
    Down(button, 40, 14);
    button.SetClicksDisabled(true);  // cancels the press in progress
    EXPECT_FALSE(button.MousePressed());
    EXPECT_EQ(ShownState(button), kFocused);
    Up(button, 40, 14);
    Down(button, 40, 14);
    EXPECT_EQ(ShownState(button), kFocused);
    KeyDown(button, VK_SPACE);
    EXPECT_FALSE(button.KeyPressed());
}

TEST_F(ButtonStateTest, TwoQuickClicksAreTwoClicks)
{
    Move(button, 40, 14);
    Down(button, 40, 14);
    Up(button, 40, 14);
    DoubleDown(button, 40, 14);
    Up(button, 40, 14);
    EXPECT_EQ(clicks, 2);
}

TEST_F(ButtonStateTest, ClickSetsTheFormsModalResult)
{
    form.SetModalResult(mrNone);
    button.SetModalResult(mrOk);
    ClickAt(button, 40, 14);
    EXPECT_EQ(form.ModalResult(), mrOk);
}

TEST_F(FormTest, MissingHoveredBitmapFallsBackToTheBaseOne)
{
    auto& button = Place<VtButton>(10, 10);
    button.LoadBitmap(ArtFolder(), "button_raised.bmp", "button_sunken.bmp", "", "");
    Move(button, 30, 10);
    EXPECT_EQ(button.RequestedIndex(), 2);
    EXPECT_EQ(ShownState(button), 0);
    // The hovered bitmap arriving later shows at once.
    button.Appearance().SetFocusedBmp(Art("button_focused.bmp"));
    EXPECT_EQ(ShownState(button), 2);
}

TEST_F(FormTest, TransparentRoundButtonCutsItsCornersFromHitAreaAndWindow)
{
    auto& round = Place<VtButton>(100, 100);
    round.LoadBitmap(ArtFolder(), "round_raised.bmp", "round_sunken.bmp", "round_focused.bmp", "round_disabled.bmp");
    EXPECT_EQ(round.TransparentColor(), clFuchsia);  // the base bitmap's lower-left colour
    EXPECT_TRUE(round.HitTest(1, 1));  // opaque while not transparent
    round.SetTransparent(true);
    EXPECT_FALSE(round.HitTest(1, 1));
    EXPECT_TRUE(round.HitTest(20, 20));

    HRGN region = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(round.Handle(), region), ERROR);
    EXPECT_FALSE(PtInRegion(region, 1, 1));
    EXPECT_FALSE(PtInRegion(region, 38, 38));
    EXPECT_TRUE(PtInRegion(region, 20, 20));
    DeleteObject(region);

    // A press on the corner is no press on the button; on the face it is.
    Move(round, 1, 1);
    Down(round, 1, 1);
    EXPECT_EQ(ShownState(round), 0);
    Up(round, 1, 1);
    Move(round, 20, 20);
    Down(round, 20, 20);
    EXPECT_EQ(ShownState(round), 1);
    Up(round, 20, 20);

    round.SetTransparent(false);
    region = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetWindowRgn(round.Handle(), region), ERROR);  // no region any more
    DeleteObject(region);
    EXPECT_TRUE(round.HitTest(1, 1));
}

TEST(HiddenFormControlTest, ShapeFollowsTheBitmapBeforeAndAfterTheWindowExists)
{
    Application();
    TForm form(nullptr);
    form.SetBorderStyle(TBorderStyle::None);
    form.SetBounds(40, 40, 200, 200);
    form.HandleNeeded();
    auto* round = new VtButton(&form);
    round->SetParent(&form);
    round->SetBounds(100, 100, 10, 10);
    round->LoadBitmap(ArtFolder(), "round_raised.bmp", "round_sunken.bmp", "round_focused.bmp", "round_disabled.bmp");
    round->SetTransparent(true);
    EXPECT_FALSE(round->HitTest(1, 1));
    EXPECT_TRUE(round->HitTest(20, 20));
    // Each change after the area was asked for counts.
    round->SetTransparent(false);
    EXPECT_TRUE(round->HitTest(1, 1));
    round->SetTransparent(true);
    EXPECT_FALSE(round->HitTest(1, 1));
    EXPECT_FALSE(round->HandleAllocated());

    form.Show();
    ASSERT_TRUE(round->HandleAllocated());
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(round->Handle(), region), ERROR);
    EXPECT_FALSE(PtInRegion(region, 1, 1));
    EXPECT_TRUE(PtInRegion(region, 20, 20));
    DeleteObject(region);
}
