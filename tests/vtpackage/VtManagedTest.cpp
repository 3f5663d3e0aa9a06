// A control the organisation's policy manages: the disabled look whatever
// the mouse, keys and focus do, no click but a managed-click report from the
// mouse, the keys and the default action, "unavailable" and the hint for
// assistive technology, and everything of its own back once released.

#include "VtPackage/VtButton.h"
#include "VtTestSupport.h"

using namespace vttest;

namespace {

enum { kRaised = 0, kFocused = 2, kDisabled = 3 };

class ManagedTest : public FormTest {
protected:
    ManagedTest() : button(Place<VtButton>(20, 20))
    {
        button.LoadBitmap(ArtFolder(), "button_raised.bmp", "button_sunken.bmp", "button_focused.bmp",
                          "button_disabled.bmp");
        button.SetTabStop(true);
        button.SetHint("Opens the settings");
        button.SetShowHint(true);
        button.OnClick = [this](TObject*) { ++clicks; };
        button.OnManagedClick = [this](TObject*) { ++refusals; };
    }

    VtButton& button;
    int clicks = 0;
    int refusals = 0;
};

} // namespace

TEST_F(ManagedTest, ShowsUnavailableAndReportsEveryWayOfClicking)
{
    button.SetManaged(true, "Managed by your organisation");
    EXPECT_EQ(ShownState(button), kDisabled);
    EXPECT_TRUE(button.Enabled()) << "enabled for the mouse, so that its tool-tip can say why";
    EXPECT_TRUE(button.AccState() & asUnavailable);
    EXPECT_EQ(button.AccDescription(), "Managed by your organisation");
    EXPECT_EQ(button.Hint(), "Managed by your organisation");

    ClickAt(button, 40, 14);
    EXPECT_EQ(ShownState(button), kDisabled) << "hover and press keep the look";
    EXPECT_EQ(refusals, 1);
    button.SetFocus();
    PumpMessages();
    KeyDown(button, VK_SPACE);
    KeyUp(button, VK_SPACE);
    EXPECT_EQ(ShownState(button), kDisabled) << "focus keeps the look";
    EXPECT_EQ(refusals, 2);
    EXPECT_NE(button.AccDefaultAction(), TAccAction::None) << "a screen reader may still try, and hears why not";
    ASSERT_TRUE(button.AccDoDefaultAction());
    PumpMessages();
    EXPECT_EQ(refusals, 3);
    EXPECT_EQ(clicks, 0);
}

TEST_F(ManagedTest, ReleasedItIsItsOwnAgainAlsoAfterItsTextsChangedMeanwhile)
{
    button.SetManaged(true, "Managed");
    // The screen loads its texts late, while the control is managed ...
    button.SetHint("Opens the advanced settings");
    // ... and the policy is applied again after that.
    button.SetManaged(true, "Managed");
    EXPECT_EQ(button.Hint(), "Managed");
    button.SetManaged(false);
    EXPECT_EQ(button.Hint(), "Opens the advanced settings");
    EXPECT_TRUE(button.ShowHint());
    EXPECT_FALSE(button.AccState() & asUnavailable);
    EXPECT_EQ(ShownState(button), kRaised);
    ClickAt(button, 40, 14);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(refusals, 0);
    EXPECT_EQ(ShownState(button), kFocused) << "hover works again";

    // Clicks switched off before stay off after.
    button.SetClicksDisabled(true);
    button.SetManaged(true, "Managed");
    button.SetManaged(false);
    EXPECT_TRUE(button.ClicksDisabled());
}
