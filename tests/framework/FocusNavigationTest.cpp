// Which control Tab, Shift+Tab and the arrow keys lead to: reading order,
// groups as one stop entered at their current member, and the controls
// that cannot take the focus left out.

#include "framework/FocusNavigation.h"
#include "framework/TForm.h"

#include <gtest/gtest.h>

namespace {

class TStop : public TWinControl {
public:
    TStop(TForm& form, int left, int top, int group = 0) : TWinControl(&form)
    {
        SetParent(&form);
        SetBounds(left, top, 20, 20);
        SetTabStop(true);
        SetTabGroup(group);
    }
    bool IsGroupCurrent() const override { return current; }
    bool current = false;
};

class FocusNavigationTest : public ::testing::Test {
protected:
    FocusNavigationTest()
        : form(nullptr),
          lower(form, 10, 50),
          upperRight(form, 80, 10),
          upperLeft(form, 10, 10),
          second(form, 60, 90, 1),
          first(form, 10, 90, 1),
          third(form, 110, 90, 1),
          hidden(form, 10, 70),
          disabled(form, 40, 70)
    {
        hidden.Hide();
        disabled.SetEnabled(false);
        second.current = true;
        form.Show();
    }

    TForm form;
    TStop lower, upperRight, upperLeft, second, first, third, hidden, disabled;
};

} // namespace

TEST_F(FocusNavigationTest, TabVisitsReadingOrderWithAGroupAsOneStopAtItsCurrentMember)
{
    const std::vector<TWinControl*> expected{&upperLeft, &upperRight, &lower, &second};
    EXPECT_EQ(TabStops(form), expected);
    EXPECT_EQ(NextTabStop(form, nullptr, true), &upperLeft) << "from the form itself";
    EXPECT_EQ(NextTabStop(form, &lower, true), &second) << "into the group at the checked member";
    EXPECT_EQ(NextTabStop(form, &third, true), &upperLeft) << "out of the group from any member, wrapping";
    EXPECT_EQ(NextTabStop(form, &third, false), &lower);
    EXPECT_EQ(NextTabStop(form, &upperLeft, false), &second) << "backwards into the group";
    second.current = false;
    EXPECT_EQ(NextTabStop(form, &lower, true), &first) << "a group with none current is entered at its first";
}

TEST_F(FocusNavigationTest, ArrowsMoveWithinTheGroupInReadingOrderWrappingPastUnfocusableMembers)
{
    EXPECT_EQ(NextInGroup(first, true), &second);
    EXPECT_EQ(NextInGroup(third, true), &first);
    EXPECT_EQ(NextInGroup(first, false), &third);
    second.SetEnabled(false);
    EXPECT_EQ(NextInGroup(first, true), &third);
    EXPECT_EQ(NextInGroup(lower, true), nullptr) << "outside a group the arrows do not move the focus";
}
