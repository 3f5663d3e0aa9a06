// Check boxes and radio buttons: check cycles, looks per check state and
// radio exclusivity, driven by real mouse and key messages.

#include "VtPackage/VtCheckBox.h"
#include "VtPackage/VtPanel.h"
#include "VtPackage/VtRadioButton.h"
#include "VtTestSupport.h"

#include <vector>

using namespace vttest;

namespace {

const char* const kLooks[] = {"raised", "sunken", "focused", "disabled"};

void LoadCheckBox(VtCheckBox& box)
{
    auto file = [](const char* group, int look) { return std::string("check_") + group + "_" + kLooks[look] + ".bmp"; };
    box.LoadUnchecked(ArtFolder(), file("unchecked", 0), file("unchecked", 1), file("unchecked", 2), file("unchecked", 3));
    box.LoadChecked(ArtFolder(), file("checked", 0), file("checked", 1), file("checked", 2), file("checked", 3));
    box.LoadGrayed(ArtFolder(), file("grayed", 0), file("grayed", 1), file("grayed", 2), file("grayed", 3));
}

void LoadRadio(VtRadioButton& radio)
{
    auto file = [](const char* group, int look) { return std::string("radio_") + group + "_" + kLooks[look] + ".bmp"; };
    radio.LoadUnchecked(ArtFolder(), file("unchecked", 0), file("unchecked", 1), file("unchecked", 2), file("unchecked", 3));
    radio.LoadChecked(ArtFolder(), file("checked", 0), file("checked", 1), file("checked", 2), file("checked", 3));
}

class CheckBoxTest : public FormTest {
protected:
    CheckBoxTest() : box(Place<VtCheckBox>(20, 20))
    {
        LoadCheckBox(box);
        box.OnClick = [this](TObject*) { states.push_back(box.State()); };
    }

    // Clicks and moves the mouse away again, so the raised look shows.
    void ClickAndLeave()
    {
        ClickAt(box, 10, 10);
        Move(box, 200, 10);
    }

    VtCheckBox& box;
    std::vector<TCheckBoxState> states;
};

} // namespace

TEST_F(CheckBoxTest, ClicksCycleThroughTheStatesShownByTheirGroup)
{
    using S = TCheckBoxState;
    ClickAndLeave();
    EXPECT_EQ(ShownState(box), 4);
    ClickAndLeave();
    EXPECT_EQ(ShownState(box), 0);
    EXPECT_EQ(states, (std::vector<S>{S::Checked, S::Unchecked}));

    box.SetAllowGrayed(true);
    states.clear();
    ClickAndLeave();
    EXPECT_EQ(ShownState(box), 8);
    ClickAndLeave();
    EXPECT_EQ(ShownState(box), 4);
    EXPECT_TRUE(box.GetChecked());
    ClickAndLeave();
    EXPECT_EQ(states, (std::vector<S>{S::Grayed, S::Checked, S::Unchecked}));

    // The space bar clicks as well.
    box.SetFocus();
    KeyDown(box, VK_SPACE);
    KeyUp(box, VK_SPACE);
    EXPECT_EQ(box.State(), S::Grayed);
}

TEST_F(CheckBoxTest, SettingTheStateKeepsTheCurrentLookAndFiresNoClick)
{
    Move(box, 10, 10);
    ASSERT_EQ(ShownState(box), 2);  // hovered, unchecked
    box.SetState(TCheckBoxState::Checked);
    EXPECT_EQ(ShownState(box), 6);  // hovered, checked
    box.SetChecked(false);
    EXPECT_EQ(ShownState(box), 2);
    EXPECT_TRUE(states.empty());

    // A missing hovered bitmap of the checked group shows that group's
    // raised one, and a missing raised one the base state.
    box.Appearance().Check().SetFocusedBmp(TBitmap());
    box.SetState(TCheckBoxState::Checked);
    EXPECT_EQ(box.ShownIndex(), 4);
    EXPECT_EQ(ShownState(box), 4);
    box.Appearance().Check().SetRaisedBmp(TBitmap());
    EXPECT_EQ(ShownState(box), 0);
    // Restoring the substitute shows it again at once.
    box.Appearance().Check().SetRaisedBmp(Art("check_checked_raised.bmp"));
    EXPECT_EQ(ShownState(box), 4);
}

TEST_F(CheckBoxTest, DisabledLookFollowsTheCheckState)
{
    box.SetChecked(true);
    box.SetEnabled(false);
    EXPECT_EQ(ShownState(box), 7);
    box.SetState(TCheckBoxState::Grayed);
    EXPECT_EQ(ShownState(box), 11);
    box.SetEnabled(true);
    EXPECT_EQ(ShownState(box), 8);
}

TEST_F(FormTest, RadioButtonsExcludeEachOtherOnlyWithinTheirParent)
{
    auto& panel = Place<VtPanel>(200, 10);
    panel.SetBounds(200, 10, 150, 100);
    auto& first = Place<VtRadioButton>(10, 10);
    auto& second = Place<VtRadioButton>(10, 40);
    auto& other = Place<VtRadioButton>(10, 10);
    other.SetParent(&panel);
    for (VtRadioButton* radio : {&first, &second, &other})
        LoadRadio(*radio);

    other.SetChecked(true);
    ClickAt(first, 10, 10);
    EXPECT_TRUE(first.GetChecked());
    EXPECT_TRUE(other.GetChecked());
    ClickAt(second, 10, 10);
    Move(second, 100, 10);
    // The pointer left the first button long ago: the system's leave
    // notification ends its hover once the queue is read.
    PumpFor(200);
    EXPECT_TRUE(second.GetChecked());
    EXPECT_FALSE(first.GetChecked());
    EXPECT_EQ(ShownState(first), 0);
    EXPECT_EQ(ShownState(second), 4);
    EXPECT_TRUE(other.GetChecked());

    // Unchecking is not exclusive: the others stay as they are.
    second.SetChecked(false);
    EXPECT_FALSE(first.GetChecked());
}

namespace {
// Same behaviour, another class name: not exclusive with VtRadioButton.
class TLabeledRadio : public VtRadioButton {
public:
    using VtRadioButton::VtRadioButton;
};
} // namespace

TEST_F(FormTest, RadioExclusivityGoesByExactClassName)
{
    auto& plain = Place<VtRadioButton>(10, 10);
    auto& derived = Place<TLabeledRadio>(10, 40);
    LoadRadio(plain);
    LoadRadio(derived);
    derived.SetChecked(true);
    plain.SetChecked(true);
    EXPECT_TRUE(derived.GetChecked());
    derived.SetChecked(true);
    EXPECT_FALSE(plain.GetChecked());  // the derived one unchecks plain ones
}

TEST_F(FormTest, RadioDoubleClickChecksAndFiresOnDblClick)
{
    auto& radio = Place<VtRadioButton>(10, 10);
    LoadRadio(radio);
    int clicks = 0, doubleClicks = 0;
    radio.OnClick = [&](TObject*) { ++clicks; };
    radio.OnDblClick = [&](TObject* sender) {
        EXPECT_TRUE(static_cast<VtRadioButton*>(sender)->GetChecked());
        ++doubleClicks;
    };
    Move(radio, 10, 10);
    Down(radio, 10, 10);
    Up(radio, 10, 10);
    radio.SetChecked(false);
    DoubleDown(radio, 10, 10);
    Up(radio, 10, 10);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(doubleClicks, 1);
    EXPECT_TRUE(radio.GetChecked());
}
