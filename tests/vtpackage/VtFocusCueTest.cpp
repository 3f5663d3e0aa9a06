// The skinned focus cue: which shape a control carries, the frame picture
// stretched to a control's size with its corners kept, and a row of page
// tabs that the arrows select as they move along it.

#include "VtPackage/VtButton.h"
#include "VtPackage/VtFocusCue.h"
#include "VtPackage/VtRadioButton.h"
#include "VtTestSupport.h"

#include <cstring>

using namespace vttest;

namespace {

using VtFocusCueTest = FormTest;

// A 24 x 24 frame picture whose every pixel tells where it came from.
void NumberedFrame(TBitmap& frame)
{
    frame.SetPixelFormat(TPixelFormat::pf32bit);
    frame.SetSize(24, 24);
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 24; ++x) {
            uint8_t* pixel = frame.ScanLine(y) + 4 * x;
            pixel[0] = static_cast<uint8_t>(x);
            pixel[1] = static_cast<uint8_t>(y);
            pixel[2] = 0;
            pixel[3] = 255;
        }
}

// The frame pixel a stretched pixel was taken from.
POINT From(TBitmap& stretched, int x, int y)
{
    const uint8_t* pixel = stretched.ScanLine(y) + 4 * x;
    return POINT{pixel[0], pixel[1]};
}

bool Same(POINT a, POINT b)
{
    return a.x == b.x && a.y == b.y;
}

} // namespace

TEST_F(VtFocusCueTest, RoundControlsCarryTheRingOthersTheFrameOverTheirWholeArea)
{
    auto& round = Place<VtButton>(10, 10);
    round.LoadBitmap(ArtFolder(), "round_raised.bmp", "", "", "");
    round.SetTransparent(true);
    auto& square = Place<VtButton>(100, 10);
    square.LoadBitmap(ArtFolder(), "button_raised.bmp", "", "", "");
    EXPECT_EQ(round.FocusCuePlace().shape, TFocusCueShape::Ring);
    const TFocusCuePlace place = square.FocusCuePlace();
    EXPECT_EQ(place.shape, TFocusCueShape::Frame);
    EXPECT_FALSE(place.onParent);
    EXPECT_EQ(place.rect.right, square.Width());
    EXPECT_EQ(place.rect.bottom, square.Height());
}

TEST(VtFocusCue, TheStretchedFrameKeepsItsCornersAndRepeatsItsMiddle)
{
    TBitmap frame, stretched;
    NumberedFrame(frame);
    StretchFrame(frame, 8, 130, 30, stretched);
    ASSERT_EQ(stretched.Width(), 130);
    ASSERT_EQ(stretched.Height(), 30);
    EXPECT_TRUE(Same(From(stretched, 0, 0), POINT{0, 0}));
    EXPECT_TRUE(Same(From(stretched, 7, 7), POINT{7, 7}));
    EXPECT_TRUE(Same(From(stretched, 129, 29), POINT{23, 23}));
    EXPECT_TRUE(Same(From(stretched, 122, 0), POINT{16, 0})) << "the right corner starts 8 from the edge";
    EXPECT_TRUE(Same(From(stretched, 8, 0), POINT{12, 0})) << "the top edge repeats the middle column";
    EXPECT_TRUE(Same(From(stretched, 121, 15), POINT{12, 12})) << "the middle is the picture's middle";
    EXPECT_TRUE(Same(From(stretched, 0, 22), POINT{0, 16}));

    StretchFrame(frame, 8, 10, 10, stretched);
    EXPECT_TRUE(Same(From(stretched, 4, 4), POINT{4, 4})) << "a small control shares the corners out";
    EXPECT_TRUE(Same(From(stretched, 5, 5), POINT{19, 19}));
}

TEST_F(VtFocusCueTest, ArrowsAlongPageTabsSelectThemAlongRadioButtonsOnlyMoveTheFocus)
{
    VtRadioButton* tabs[2];
    VtRadioButton* radios[2];
    for (int i = 0; i < 2; ++i) {
        tabs[i] = &Place<VtRadioButton>(10 + 40 * i, 10);
        radios[i] = &Place<VtRadioButton>(10 + 40 * i, 60);
        tabs[i]->SetPageTab(true);
        for (VtRadioButton* button : {tabs[i], radios[i]}) {
            button->SetTabStop(true);
            button->SetTabGroup(button == tabs[i] ? 1 : 2);
        }
    }
    // Exclusive among siblings: the groups live in panels of their own
    // elsewhere; here each row is checked by hand.
    tabs[0]->SetChecked(true);
    EXPECT_EQ(tabs[0]->AccRole(), TAccRole::PageTab);
    EXPECT_EQ(tabs[0]->AccState() & (asSelected | asChecked), asSelected) << "a tab is selected, not checked";
    int shown = 0;
    tabs[1]->OnClick = [&](TObject*) { ++shown; };
    tabs[0]->SetFocus();
    KeyDown(*tabs[0], VK_RIGHT);
    EXPECT_TRUE(tabs[1]->Focused());
    EXPECT_TRUE(tabs[1]->GetChecked());
    EXPECT_EQ(shown, 1) << "the tab's page is shown as a click shows it";

    radios[0]->SetFocus();
    KeyDown(*radios[0], VK_RIGHT);
    EXPECT_TRUE(radios[1]->Focused());
    EXPECT_FALSE(radios[1]->GetChecked()) << "radio buttons wait for Space";
}
