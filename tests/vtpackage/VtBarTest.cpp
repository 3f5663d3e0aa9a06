// The bar: dragging the track or the indicator, clamping, the scroll and
// indicate events and the indicator's placement.

#include "VtPackage/VtBar.h"
#include "VtTestSupport.h"

#include <vector>

using namespace vttest;

namespace {

class BarTest : public FormTest {
protected:
    BarTest() : bar(Place<VtBar>(10, 10))
    {
        bar.LoadBitmap(ArtFolder(), "bar_normal.bmp", "bar_focused.bmp", "bar_disabled.bmp");
        bar.SetIndicator(Art("bar_knob.bmp"));  // 12 x 20
        bar.Origin().SetY(12);
        bar.SetLength(100);
        bar.OnStartScroll = [this](TObject*) { events.push_back("start"); };
        bar.OnEndScroll = [this](TObject*) { events.push_back("end"); };
    }

    // A drag from one point to another in steps, on the bar's window.
    void Drag(int fromX, int toX, int step = 10)
    {
        Move(bar, fromX, 12);
        Down(bar, fromX, 12);
        for (int x = fromX; x != toX;) {
            x = toX > x ? std::min(x + step, toX) : std::max(x - step, toX);
            Move(bar, x, 12, true);
        }
        Up(bar, toX, 12);
    }

    VtBar& bar;
    std::vector<std::string> events;
};

} // namespace

TEST_F(BarTest, DraggingStopsAtZeroAndAtLength)
{
    Drag(20, 170);
    EXPECT_EQ(bar.ScrollPos(), 100);
    EXPECT_EQ(events, (std::vector<std::string>{"start", "end"}));
    EXPECT_FALSE(bar.IsDraging());
    // Back beyond the start: position 0, and moving right again counts
    // from there, not from where the mouse went.
    Move(bar, 170, 12);
    Down(bar, 170, 12);
    Move(bar, 0, 12, true);
    EXPECT_EQ(bar.ScrollPos(), 0);
    Move(bar, 30, 12, true);
    EXPECT_EQ(bar.ScrollPos(), 30);
    Up(bar, 30, 12);
}

TEST_F(BarTest, ScrollHandlerSnapsToTensAndTheIndicatorFollows)
{
    std::vector<bool> forward;
    bar.OnScroll = [&](TObject*, int& position, bool isForward) {
        position = (position + 5) / 10 * 10;
        forward.push_back(isForward);
    };
    Move(bar, 20, 12);
    Down(bar, 20, 12);
    for (int x = 26; x <= 56; x += 6) {
        Move(bar, x, 12, true);
        EXPECT_EQ(bar.ScrollPos() % 10, 0) << x;
        EXPECT_EQ(bar.IndicatorImage().Left(), bar.ScrollPos() - 6) << x;
    }
    EXPECT_EQ(bar.ScrollPos(), 60);
    Move(bar, 40, 12, true);
    EXPECT_EQ(bar.ScrollPos(), 40);
    Up(bar, 40, 12);
    EXPECT_EQ(forward, (std::vector<bool>{true, true, true, true, true, true, false}));
}

TEST_F(BarTest, IndicatorSitsAtTheOriginPlusThePosition)
{
    TBitmap knob;
    knob.SetSize(10, 10);
    bar.SetIndicator(knob);
    bar.Origin().SetX(40);
    bar.Origin().SetY(10);
    EXPECT_EQ(bar.IndicatorImage().Left(), 35);
    EXPECT_EQ(bar.IndicatorImage().Top(), 5);
    bar.SetScrollPos(30);
    EXPECT_EQ(bar.IndicatorImage().Left(), 65);
    EXPECT_EQ(bar.IndicatorImage().Top(), 5);
    bar.SetKind(TScrollBarKind::Vertical);
    EXPECT_EQ(bar.IndicatorImage().Left(), 35);
    EXPECT_EQ(bar.IndicatorImage().Top(), 35);

    // OnIndicate may move the indicator along the axis.
    bar.OnIndicate = [](TObject*, int& coordinate) { coordinate += 1; };
    bar.SetScrollPos(0);
    EXPECT_EQ(bar.IndicatorImage().Top(), 6);
}

TEST_F(BarTest, AnOutOfRangePositionReturnsOnTheNextDragStep)
{
    bar.SetScrollPos(500);
    EXPECT_EQ(bar.IndicatorImage().Left(), 500 - 6);
    Move(bar, 50, 12);
    Down(bar, 50, 12);
    Move(bar, 51, 12, true);
    EXPECT_EQ(bar.ScrollPos(), 100);
    Up(bar, 51, 12);
}

TEST_F(BarTest, DraggingTheIndicatorMovesLikeDraggingTheTrack)
{
    bar.SetScrollPos(20);
    TImage& knob = bar.IndicatorImage();
    const int knobX = knob.Left() + 6;
    Move(bar, knobX, 12);
    Down(bar, knobX, 12);  // lands on the indicator, which passes it on
    EXPECT_TRUE(bar.IsDraging());
    Move(bar, knobX + 25, 12, true);
    EXPECT_EQ(bar.ScrollPos(), 45);
    EXPECT_EQ(knob.Left(), 45 - 6);
    Up(bar, knobX + 25, 12);
    EXPECT_FALSE(bar.IsDraging());
}

TEST_F(BarTest, VerticalBarFollowsOnlyTheVerticalMovement)
{
    bar.SetKind(TScrollBarKind::Vertical);
    Move(bar, 100, 2);
    Down(bar, 100, 2);
    Move(bar, 160, 9, true);
    EXPECT_EQ(bar.ScrollPos(), 7);
    EXPECT_EQ(bar.IndicatorImage().Top(), 12 - 10 + 7);
    Move(bar, 10, 1, true);
    EXPECT_EQ(bar.ScrollPos(), 0);
    Up(bar, 10, 1);
}
