// When focused controls carry their focus cue: only while the window shows
// cues, which a form that follows the keyboard hides at each show and on a
// mouse press and shows again once a key moves about; a stand-in's cue is
// drawn by its parent around the parts it stands for. Also the keys a
// slider takes.

#include "framework/FocusCue.h"
#include "framework/TForm.h"
#include "framework/controls/RangeKeys.h"
#include "framework/controls/TFocusStandIn.h"
#include "tests/support/MessagePump.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace {

class TCueStop : public TWinControl {
public:
    TCueStop(TForm& form, int left) : TWinControl(&form)
    {
        SetParent(&form);
        SetBounds(left, 10, 30, 20);
        SetTabStop(true);
    }
    TFocusCuePlace FocusCuePlace() override { return {TFocusCueShape::Frame, RECT{0, 0, 30, 20}, false}; }
};

struct Drawn {
    HWND window;
    RECT rect;
};

class FocusCueTest : public ::testing::Test {
protected:
    FocusCueTest()
        : form(nullptr), first(form, 10), second(form, 60),
          standIn(&form, TAccRole::Slider,
                  TFocusStandIn::Parts{[] { return std::string("Speed"); }, [] { return std::string("3 of 9"); },
                                       [] { return RECT{110, 40, 150, 60}; },
                                       [this](WORD key, TShiftState) { return key == VK_RIGHT && ++steps > 0; }})
    {
        form.SetBounds(50, 50, 260, 120);
        form.SetFocusCuesFollowKeyboard(true);
        standIn.SetParent(&form);
        standIn.SetBounds(100, 40, 100, 20);
        SetFocusCuePainter([this](HDC dc, const RECT& rect, TFocusCueShape) { drawn.push_back({WindowFromDC(dc), rect}); });
        form.Show();
        SetForegroundWindow(form.Handle());
    }
    ~FocusCueTest() override { SetFocusCuePainter(nullptr); }

    // The cues drawn when the whole form is painted now.
    std::vector<Drawn> Repaint()
    {
        PumpFor(50);
        drawn.clear();
        RedrawWindow(form.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        return drawn;
    }
    void Key(TWinControl& control, WORD key) { SendMessageA(control.Handle(), WM_KEYDOWN, key, 0); }

    TForm form;
    TCueStop first, second;
    int steps = 0;
    TFocusStandIn standIn;
    std::vector<Drawn> drawn;
};

} // namespace

TEST_F(FocusCueTest, CuesWaitForTheKeyboardFollowTheFocusAndHideAgainOnAMousePress)
{
    first.SetFocus();
    EXPECT_TRUE(Repaint().empty()) << "a form just shown hides its cues";
    EXPECT_FALSE(first.FocusCuesShown());

    Key(first, VK_TAB);
    ASSERT_TRUE(second.Focused());
    const auto cues = Repaint();
    ASSERT_EQ(cues.size(), 1u) << "only the focused control carries a cue";
    EXPECT_EQ(cues[0].window, second.Handle());

    SendMessageA(first.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(first.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_FALSE(second.FocusCuesShown()) << "the mouse hides them";
    EXPECT_TRUE(Repaint().empty());

    Key(second, VK_RIGHT);  // moves nothing, still a key that moves about
    EXPECT_TRUE(second.FocusCuesShown());
}

TEST_F(FocusCueTest, AStandInTakesTheKeysAndItsParentDrawsTheCueAroundItsParts)
{
    Key(second, VK_TAB);
    ASSERT_TRUE(standIn.Focused()) << "the stand-in is a tab stop in reading order";
    const auto cues = Repaint();
    ASSERT_EQ(cues.size(), 1u);
    EXPECT_EQ(cues[0].window, form.Handle());
    EXPECT_TRUE(EqualRect(&cues[0].rect, std::array<RECT, 1>{RECT{110, 40, 150, 60}}.data()));

    Key(standIn, VK_RIGHT);
    EXPECT_EQ(steps, 1) << "the parts got the key";
    EXPECT_TRUE(standIn.Focused()) << "a key the parts used moves no focus";
    EXPECT_EQ(standIn.AccRole(), TAccRole::Slider);
    EXPECT_EQ(standIn.AccValue(), "3 of 9");
    const RECT place = standIn.AccScreenRect();
    POINT origin{0, 0};
    ClientToScreen(form.Handle(), &origin);
    EXPECT_EQ(place.left, origin.x + 100);
    EXPECT_EQ(place.right - place.left, 100);
    HRGN shape = CreateRectRgn(0, 0, 1, 1);
    EXPECT_EQ(GetWindowRgn(standIn.Handle(), shape), NULLREGION) << "the stand-in's window covers nothing";
    DeleteObject(shape);
}

TEST(RangeKeys, StepsPagesAndEndsAsATrackBarClampedToTheRange)
{
    EXPECT_EQ(RangeKeyTarget(VK_RIGHT, 5, 0, 40), 6);
    EXPECT_EQ(RangeKeyTarget(VK_DOWN, 5, 0, 40), 6);
    EXPECT_EQ(RangeKeyTarget(VK_LEFT, 5, 0, 40), 4);
    EXPECT_EQ(RangeKeyTarget(VK_UP, 5, 0, 40), 4);
    EXPECT_EQ(RangeKeyTarget(VK_NEXT, 5, 0, 40), 9) << "a page is a tenth of the range";
    EXPECT_EQ(RangeKeyTarget(VK_PRIOR, 5, 0, 40), 1);
    EXPECT_EQ(RangeKeyTarget(VK_PRIOR, 2, 0, 40), 0) << "clamped at the low end";
    EXPECT_EQ(RangeKeyTarget(VK_NEXT, 3, 0, 5), 4) << "a short range pages by one step";
    EXPECT_EQ(RangeKeyTarget(VK_HOME, 5, 2, 40), 2);
    EXPECT_EQ(RangeKeyTarget(VK_END, 5, 2, 40), 40);
    EXPECT_EQ(RangeKeyTarget(VK_RIGHT, 40, 2, 40), 40);
    EXPECT_FALSE(RangeKeyTarget(VK_RETURN, 5, 0, 40).has_value());
}
