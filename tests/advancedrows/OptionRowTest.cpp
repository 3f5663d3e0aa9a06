// The option rows on a shown form: the list's height, choosing, the rules
// that close an open list, and the grey and red faces.

#include "framework/TApplication.h"
#include "screens/advancedsetting/DropDownPanel.h"
#include "screens/advancedsetting/OptionRow.h"
#include "screens/advancedsetting/SliderRow.h"
#include "tests/advancedrows/AdvancedForms.h"

#include <gtest/gtest.h>

using namespace advancedtest;

namespace {

constexpr int kLeft = 56, kTop = 134;

std::vector<std::string> Entries(int count)
{
    std::vector<std::string> entries;
    for (int i = 0; i < count; ++i)
        entries.push_back("Entry " + std::to_string(i));
    return entries;
}

class Option : public testing::Test {
protected:
    void SetUp() override
    {
        row.SetItems(Entries(3));
        row.OnChange = [this] { ++changes; };
    }
    void TearDown() override { row.Close(); }

    void ClickArrow()
    {
        HWND arrow = row.Arrow().Handle();
        LeftPress(arrow, 5, 5);
        LeftRelease(arrow, 5, 5);
    }

    TAdvancedSetting& form = BasicForm();
    OptionRow row{form, kLeft, kTop};
    int changes = 0;
};

TEST_F(Option, ListHeightIsTheEntriesKeptWithinThirtyAndNinety)
{
    const std::pair<int, int> cases[] = {{1, 30}, {2, 36}, {3, 54}, {5, 90}, {15, 90}};
    row.Open();
    EXPECT_EQ(row.DropDown().Left(), kLeft - 9);
    EXPECT_EQ(row.DropDown().Top(), kTop + 31);
    EXPECT_EQ(row.DropDown().Width(), 137 + 19);
    row.Close();
    for (auto [count, height] : cases) {
        row.SetItems(Entries(count));
        row.Open();
        const RECT list = row.DropDown().ListRect();
        EXPECT_EQ(list.bottom - list.top, height) << count;
        EXPECT_EQ(row.DropDown().Height(), 8 + height + 5) << count;
        row.Close();
    }
}

TEST_F(Option, AnIndexPastTheEndChoosesTheLastEntry)
{
    row.Select(1);
    EXPECT_EQ(row.FaceText().Caption(), "Entry 1");
    row.Select(3);
    EXPECT_EQ(row.SelectedIndex(), 2);
    EXPECT_EQ(row.FaceText().Caption(), "Entry 2");
    row.SetItems({"OFF"});
    row.Select(1);
    EXPECT_EQ(row.SelectedIndex(), 0);
    EXPECT_EQ(row.FaceText().Caption(), "OFF");
    EXPECT_EQ(changes, 0);
}

TEST_F(Option, LongTextsEndWithAnEllipsisWhereTheirSpaceEnds)
{
    const std::string text = "An entry far too long for the face of any option row";
    row.SetItems({"Short", text});
    EXPECT_EQ(row.FaceText().Caption(), "Short");
    row.Select(1);
    const std::string shown = row.FaceText().Caption();
    ASSERT_GE(shown.size(), 4u);
    EXPECT_LT(shown.size(), text.size());
    EXPECT_EQ(shown.substr(shown.size() - 3), "...");
    EXPECT_EQ(text.compare(0, shown.size() - 3, shown, 0, shown.size() - 3), 0);
    // Titles have the width of their column.
    row.SetTitle("Chipset Voltage Reduction");
    EXPECT_EQ(row.Title().Caption(), "Chipset Voltage Reduction");
    row.SetTitle(text);
    EXPECT_EQ(row.Title().Caption().substr(0, 20), text.substr(0, 20));
    EXPECT_LT(row.Title().Caption().size(), text.size());
}

TEST_F(Option, ArrowTogglesAndAClickedEntryIsChosen)
{
    ClickArrow();
    ASSERT_TRUE(row.IsOpen());
    DropDownPanel& list = row.DropDown();
    const int y = DropDownPanel::kListTop + DropDownPanel::kEntryHeight * 2 + 4;
    LeftPress(list.Handle(), 20, y);
    LeftRelease(list.Handle(), 20, y);
    EXPECT_FALSE(row.IsOpen());
    EXPECT_EQ(row.SelectedIndex(), 2);
    EXPECT_EQ(row.FaceText().Caption(), "Entry 2");
    EXPECT_EQ(changes, 1);
    ClickArrow();
    EXPECT_TRUE(row.IsOpen());
    ClickArrow();
    EXPECT_FALSE(row.IsOpen());
    // The face opens the list too; pressed while it is open, it closes it.
    LeftPress(form.Handle(), kLeft + 60, kTop + 28);
    LeftRelease(form.Handle(), kLeft + 60, kTop + 28);
    EXPECT_TRUE(row.IsOpen());
    LeftPress(form.Handle(), kLeft + 60, kTop + 28);
    LeftRelease(form.Handle(), kLeft + 60, kTop + 28);
    EXPECT_FALSE(row.IsOpen());
    EXPECT_EQ(changes, 1);
}

TEST_F(Option, KeysOnTheArrowOpenMoveAndChooseAsAStandardListAndItReadsAsOne)
{
    const HWND arrow = row.Arrow().Handle();
    const auto key = [&](WORD code) {
        PostMessageA(arrow, WM_KEYDOWN, code, 1);
        Application().ProcessMessages();
    };
    EXPECT_EQ(row.Arrow().AccRole(), TAccRole::ComboBox);
    key(VK_F4);
    ASSERT_TRUE(row.IsOpen());
    EXPECT_TRUE(row.Arrow().AccState() & asExpanded);
    key(VK_DOWN);
    EXPECT_EQ(changes, 0) << "moving in an open list chooses nothing";
    // The open list reads as a list of the entries, the one reached
    // selected and focused, and named in the list window's events.
    const auto items = row.DropDown().AccChildren();
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(row.DropDown().AccRole(), TAccRole::List);
    EXPECT_EQ(items[1]->AccRole(), TAccRole::ListItem);
    EXPECT_EQ(items[1]->AccName(), "Entry 1");
    EXPECT_EQ(items[1]->AccState() & (asSelected | asFocused), asSelected | asFocused);
    EXPECT_EQ(items[0]->AccState() & (asSelected | asFocused), 0u);
    LONG child = CHILDID_SELF;
    EXPECT_EQ(items[1]->AccEventWindow(child), row.DropDown().Handle());
    EXPECT_EQ(child, 2);
    key(VK_RETURN);
    EXPECT_FALSE(row.IsOpen());
    EXPECT_EQ(row.SelectedIndex(), 1);
    EXPECT_EQ(changes, 1);
    // Closed, the arrow keys choose at once, and stop at the ends.
    key(VK_DOWN);
    key(VK_DOWN);
    EXPECT_EQ(row.SelectedIndex(), 2);
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(row.Arrow().AccValue(), "Entry 2");
    EXPECT_TRUE(row.Arrow().AccState() & asCollapsed);
}

TEST_F(Option, APressElsewhereOrEscapeClosesTheListAndGoesNoFurther)
{
    SliderRow slider(form, 56, 82);
    slider.SetRange(0, 10);
    slider.SetPosition(5);
    int slides = 0;
    slider.OnChange = [&] { ++slides; };
    row.Open();
    LeftPress(form.Handle(), 70, 112);
    LeftRelease(form.Handle(), 70, 112);
    EXPECT_FALSE(row.IsOpen());
    EXPECT_EQ(slider.Position(), 5);
    EXPECT_EQ(slides, 0);
    // Closed, the same press reaches the slider again.
    LeftPress(form.Handle(), 70, 112);
    LeftRelease(form.Handle(), 70, 112);
    EXPECT_EQ(slider.Position(), 4);
    row.Open();
    PostMessageA(form.Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
    Application().ProcessMessages();
    EXPECT_FALSE(row.IsOpen());
    EXPECT_EQ(changes, 0);
}

TEST_F(Option, TheApplicationLosingTheFocusClosesTheList)
{
    // A handler set later chains to the one before, as every hook here does.
    int deactivations = 0;
    const TNotifyEvent before = Application().OnDeactivate;
    Application().OnDeactivate = [&](TObject* sender) {
        ++deactivations;
        if (before)
            before(sender);
    };
    row.Open();
    SendMessageA(form.Handle(), WM_ACTIVATEAPP, TRUE, 0);
    SendMessageA(form.Handle(), WM_ACTIVATEAPP, FALSE, 0);
    EXPECT_FALSE(row.IsOpen());
    EXPECT_EQ(deactivations, 1);
    Application().OnDeactivate = before;
}

TEST_F(Option, OpeningAListClosesAnotherOne)
{
    OptionRow other(form, 243, kTop);
    other.SetItems(Entries(2));
    row.Open();
    other.Open();
    EXPECT_FALSE(row.IsOpen());
    EXPECT_TRUE(other.IsOpen());
}

TEST_F(Option, LongListsScrollToTheChosenEntryAndByTheWheel)
{
    row.SetItems(Entries(15));
    row.Select(14);
    row.Open();
    DropDownPanel& list = row.DropDown();
    EXPECT_EQ(list.TopIndex(), 15 - list.VisibleCount());
    Mouse(form.Handle(), WM_MOUSEWHEEL, 0, 0, MAKEWPARAM(0, 2 * WHEEL_DELTA));
    EXPECT_EQ(list.TopIndex(), 15 - list.VisibleCount() - 2);
    EXPECT_EQ(list.EntryAt(20, DropDownPanel::kListTop + 1), list.TopIndex());
    EXPECT_TRUE(row.IsOpen());
}

TEST_F(Option, DisabledRowIsGreyClosedAndCannotOpenAndAnAlertIsRed)
{
    const TColor light = RGB(244, 252, 254);
    EXPECT_EQ(row.FaceText().Font().Color(), light);
    row.Open();
    row.SetEnabled(false);
    EXPECT_FALSE(row.IsOpen());
    EXPECT_FALSE(row.Arrow().Enabled());
    EXPECT_EQ(row.FaceText().Font().Color(), RGB(148, 156, 158));
    row.Open();
    EXPECT_FALSE(row.IsOpen());
    row.SetEnabled(true);
    EXPECT_EQ(row.FaceText().Font().Color(), light);
    // A missing feature is red, locked or not.
    row.SetAlert(true);
    EXPECT_EQ(row.FaceText().Font().Color(), RGB(219, 23, 23));
    row.SetEnabled(false);
    EXPECT_EQ(row.FaceText().Font().Color(), RGB(219, 23, 23));
}

} // namespace

TEST_F(Option, TheSliderTakesItsKeysThroughItsStandInAndReadsItsValueText)
{
    SliderRow slider(form, 56, 82);
    slider.SetRange(0, 40);
    slider.SetPosition(5);
    slider.SetValueText([](int position) { return std::to_string(position * 100) + " MHz"; });
    int slides = 0;
    slider.OnChange = [&] { ++slides; };
    const auto key = [&](WORD code) {
        PostMessageA(slider.Keys().Handle(), WM_KEYDOWN, code, 1);
        Application().ProcessMessages();
    };
    key(VK_RIGHT);
    EXPECT_EQ(slider.Position(), 6);
    key(VK_NEXT);
    EXPECT_EQ(slider.Position(), 10) << "a page is a tenth of the range";
    key(VK_END);
    EXPECT_EQ(slider.Position(), 40);
    key(VK_END);
    EXPECT_EQ(slides, 3) << "a key that moves nothing changes nothing";
    EXPECT_EQ(slider.Keys().AccRole(), TAccRole::Slider);
    EXPECT_EQ(slider.Keys().AccValue(), "4000 MHz");
    const RECT place = slider.Keys().BoundsRect();
    EXPECT_LE(place.left, slider.Thumb().Left()) << "placed over the rail and the thumb's travel";
    EXPECT_GE(place.right, slider.Track().Left() + slider.Track().Width());

    slider.SetEnabled(false);
    key(VK_HOME);
    EXPECT_EQ(slider.Position(), 40) << "a disabled slider takes no keys";
    EXPECT_FALSE(slider.Keys().CanFocus());
}
