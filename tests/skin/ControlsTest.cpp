#include "framework/TApplication.h"
#include "framework/TForm.h"
#include "framework/controls/TImage.h"
#include "framework/controls/TLabel.h"
#include "framework/controls/TMouseTracker.h"
#include "framework/controls/TPanel.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

class ControlsTest : public testing::Test {
protected:
    ControlsTest()
    {
        Application();
        form.SetBounds(50, 50, 200, 100);
        form.SetBorderStyle(TBorderStyle::None);
        form.SetColor(clWhite);
        form.HandleNeeded();
    }

    // What the control paints over a white background.
    TColor Painted(TControl& control, int x, int y)
    {
        snapshot.SetSize(control.Width(), control.Height());
        snapshot.Canvas().Brush().SetColor(clWhite);
        snapshot.Canvas().FillRect(RECT{0, 0, control.Width(), control.Height()});
        control.Paint(snapshot.Canvas().Handle());
        return snapshot.PixelColor(x, y);
    }

    TForm form{nullptr};
    TBitmap snapshot;
};

} // namespace

TEST_F(ControlsTest, ImageAutoSizesAndDrawsTransparently)
{
    auto* image = new TImage(&form);
    image->SetParent(&form);
    image->SetBounds(10, 10, 1, 1);
    image->SetAutoSize(true);
    TBitmap& picture = image->Picture();
    picture.SetSize(20, 10);
    EXPECT_EQ(image->Width(), 20);
    EXPECT_EQ(image->Height(), 10);
    picture.Canvas().Brush().SetColor(clFuchsia);
    picture.Canvas().FillRect(RECT{0, 0, 20, 10});
    picture.Canvas().Brush().SetColor(0x0000FF);
    picture.Canvas().FillRect(RECT{5, 0, 20, 10});

    EXPECT_EQ(Painted(*image, 1, 1), clFuchsia);
    EXPECT_EQ(Painted(*image, 6, 1), 0x0000FFu);
    image->SetTransparent(true);  // the lower-left colour is not drawn
    EXPECT_EQ(Painted(*image, 1, 1), clWhite);
    EXPECT_EQ(Painted(*image, 6, 1), 0x0000FFu);
}

TEST_F(ControlsTest, LabelPaintsItsBackgroundUnlessTransparent)
{
    auto* label = new TLabel(&form);
    label->SetParent(&form);
    label->SetBounds(0, 0, 100, 40);
    label->SetColor(0x00FF00);
    label->SetCaption("Wrapped words here");
    label->Font().SetColor(clBlack);
    EXPECT_EQ(Painted(*label, 95, 35), 0x00FF00u);
    label->SetTransparent(true);
    EXPECT_EQ(Painted(*label, 95, 35), clWhite);

    // Word wrap needs more height for the same text in a narrow label.
    TBitmap scratch;
    scratch.SetSize(10, 10);
    scratch.Canvas().Font().Assign(label->Font());
    RECT oneLine{0, 0, 40, 0}, wrapped{0, 0, 40, 0};
    scratch.Canvas().DrawText(label->Caption(), oneLine, DT_CALCRECT | DT_SINGLELINE);
    scratch.Canvas().DrawText(label->Caption(), wrapped, DT_CALCRECT | DT_WORDBREAK);
    EXPECT_GT(wrapped.bottom, oneLine.bottom);
}

TEST_F(ControlsTest, MouseTrackerFiresEnterOnceAndLeave)
{
    auto* panel = new TPanel(&form);
    panel->SetParent(&form);
    panel->SetBounds(0, 0, 50, 50);
    panel->HandleNeeded();
    std::vector<std::string> events;
    TMouseTracker tracker;
    tracker.OnMouseEnter = [&](TObject* sender) {
        EXPECT_EQ(sender, panel);
        events.push_back("enter");
    };
    tracker.OnMouseLeave = [&](TObject*) { events.push_back("leave"); };
    tracker.Attach(panel);
    panel->Perform(WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    panel->Perform(WM_MOUSEMOVE, 0, MAKELPARAM(6, 5));
    EXPECT_TRUE(tracker.Inside());
    panel->Perform(WM_MOUSELEAVE, 0, 0);
    panel->Perform(WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(events, (std::vector<std::string>{"enter", "leave"}));
    tracker.Detach();
    panel->Perform(WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(events.size(), 2u);
}
