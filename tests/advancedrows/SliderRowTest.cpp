// The slider rows on a shown form, driven by mouse messages: dragging the
// thumb, stepping by a click on the track, and the disabled looks.

#include "screens/advancedsetting/SliderGeometry.h"
#include "screens/advancedsetting/SliderRow.h"
#include "tests/advancedrows/AdvancedForms.h"

#include <gtest/gtest.h>

#include <vector>

using namespace advancedtest;

namespace {

constexpr int kLeft = 56, kTop = 82;
// Where the thumb's left edge is at offset 0.
constexpr int kThumbStart = kLeft - 4;

class Slider : public testing::Test {
protected:
    void SetUp() override
    {
        row.SetRange(0, 10);
        row.SetPosition(0);
        row.OnChange = [this] { changes.push_back(row.Position()); };
    }

    int Length() { return 336 - row.Thumb().Width(); }
    // A point on the thumb's value, which starts a drag like the thumb.
    int GripX() { return row.Thumb().Left() + 10; }
    static constexpr int kGripY = kTop + 30;
    static constexpr int kTrackY = kTop + 30;

    TAdvancedSetting& form = BasicForm();
    HWND window = form.Handle();
    SliderRow row{form, kLeft, kTop};
    std::vector<int> changes;
};

TEST_F(Slider, DragFollowsTheMouseAndReportsEachNewPosition)
{
    ASSERT_EQ(row.Thumb().Left(), kThumbStart);
    const int grip = GripX();
    LeftPress(window, grip, kGripY);
    // 95 px is past the middle of position 3 (87.6) but short of 4's.
    DragTo(window, grip + 95, kGripY);
    EXPECT_EQ(row.Position(), 3);
    EXPECT_EQ(row.Thumb().Left(), kThumbStart + 95);
    EXPECT_EQ(row.Value().Left(), row.Thumb().Left() + 2);
    DragTo(window, grip + 97, kGripY);
    DragTo(window, grip + 140, kGripY);
    EXPECT_EQ(changes, (std::vector<int>{3, 5}));
    // Far past the end: the last position, the thumb at the track's end.
    DragTo(window, grip + 1000, kGripY);
    EXPECT_EQ(row.Position(), 10);
    EXPECT_EQ(row.Thumb().Left(), kThumbStart + Length());
    DragTo(window, grip + 95, kGripY);
    LeftRelease(window, grip + 95, kGripY);
    EXPECT_EQ(changes, (std::vector<int>{3, 5, 10, 3}));
    // Released, the thumb snaps to the exact place of its position.
    EXPECT_EQ(row.Thumb().Left(), kThumbStart + slider::PositionToOffset(3, 0, 10, Length()));
    // After the release moves do nothing.
    DragTo(window, grip + 200, kGripY);
    EXPECT_EQ(row.Position(), 3);
}

TEST_F(Slider, ClickOnTheTrackStepsOnceTowardIt)
{
    row.SetPosition(5);
    LeftPress(window, kLeft + 20, kTrackY);
    LeftRelease(window, kLeft + 20, kTrackY);
    EXPECT_EQ(row.Position(), 4);
    LeftPress(window, kLeft + 320, kTrackY);
    LeftRelease(window, kLeft + 320, kTrackY);
    EXPECT_EQ(row.Position(), 5);
    EXPECT_EQ(changes, (std::vector<int>{4, 5}));
    EXPECT_EQ(row.Thumb().Left(), kThumbStart + slider::PositionToOffset(5, 0, 10, Length()));
}

TEST_F(Slider, DisabledRowShowsOnlyTheGreyPictureAndIgnoresTheMouse)
{
    row.SetPosition(5);
    row.SetEnabled(false);
    EXPECT_TRUE(row.Gray().Visible());
    EXPECT_FALSE(row.Track().Visible());
    EXPECT_FALSE(row.Thumb().Visible());
    EXPECT_FALSE(row.Value().Visible());
    const int grip = GripX();
    LeftPress(window, grip, kGripY);
    DragTo(window, grip + 100, kGripY);
    LeftRelease(window, grip + 100, kGripY);
    LeftPress(window, kLeft + 20, kTrackY);
    LeftRelease(window, kLeft + 20, kTrackY);
    EXPECT_EQ(row.Position(), 5);
    EXPECT_TRUE(changes.empty());
    row.SetEnabled(true);
    EXPECT_FALSE(row.Gray().Visible());
    EXPECT_TRUE(row.Thumb().Visible());
    EXPECT_TRUE(row.Value().Visible());
}

TEST(GpuSlider, DisabledKeepsAGreyThumbAndValueAndIgnoresTheMouse)
{
    TAdvancedSetting& form = ExtendedForm();
    GpuSliderRow row(form, kLeft, 129);
    row.SetRange(0, 20);
    row.SetPosition(4);
    int changes = 0;
    row.OnChange = [&] { ++changes; };
    EXPECT_EQ(row.Value().Width(), 65);
    EXPECT_EQ(row.Value().Font().Color(), clWhite);
    EXPECT_EQ(row.Gray().Left(), kLeft - 16);
    EXPECT_EQ(row.Gray().Top(), 129 + 16);
    const TColor enabledLook = row.Thumb().Picture().PixelColor(34, 4);

    row.SetEnabled(false);
    EXPECT_TRUE(row.Thumb().Visible());
    EXPECT_TRUE(row.Value().Visible());
    EXPECT_TRUE(row.Gray().Visible());
    EXPECT_FALSE(row.Track().Visible());
    EXPECT_EQ(row.Value().Font().Color(), RGB(170, 170, 170));
    EXPECT_NE(row.Thumb().Picture().PixelColor(34, 4), enabledLook);
    const int grip = row.Thumb().Left() + 20;
    LeftPress(form.Handle(), grip, 129 + 30);
    DragTo(form.Handle(), grip + 120, 129 + 30);
    LeftRelease(form.Handle(), grip + 120, 129 + 30);
    EXPECT_EQ(row.Position(), 4);
    EXPECT_EQ(changes, 0);

    row.SetEnabled(true);
    EXPECT_EQ(row.Value().Font().Color(), clWhite);
    EXPECT_EQ(row.Thumb().Picture().PixelColor(34, 4), enabledLook);
}

TEST(SliderRowParts, MoveTogetherAndKeepTheirOffsets)
{
    SliderRow row(BasicForm(), kLeft, kTop);
    row.SetRange(0, 4);
    row.SetPosition(2);
    const int thumbOffset = row.Thumb().Left() - row.Title().Left();
    row.MoveBy(7, 49);
    EXPECT_EQ(row.Title().Left(), kLeft + 7);
    EXPECT_EQ(row.Title().Top(), kTop + 49);
    EXPECT_EQ(row.Gray().Left(), kLeft + 7 - 12);
    EXPECT_EQ(row.Gray().Top(), kTop + 49 + 21);
    EXPECT_EQ(row.Track().Top(), kTop + 49 + 22);
    EXPECT_EQ(row.Thumb().Left() - row.Title().Left(), thumbOffset);
    EXPECT_EQ(row.Value().Top(), row.Thumb().Top());
    // Positions after the move still map onto the moved track.
    row.SetPosition(4);
    EXPECT_EQ(row.Thumb().Left(), kLeft + 7 - 4 + 336 - row.Thumb().Width());
}

} // namespace
