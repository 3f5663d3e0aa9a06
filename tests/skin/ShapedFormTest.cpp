#include "framework/TApplication.h"
#include "kelp/Graphics/ImageRegion.h"
#include "kelp/widget/Flicker.h"
#include "kelp/widget/LayeredShapedForm.h"
#include "kelp/widget/RegionShapedForm.h"

#include <gtest/gtest.h>
#include <atomic>
#include <cstdio>
#include <thread>
#include <vector>

namespace {

// 20 x 10, magenta with an opaque 10 x 6 block at (5, 2); lower-left is magenta.
void MakeSkin(TBitmap& bitmap)
{
    bitmap.SetSize(20, 10);
    bitmap.Canvas().Brush().SetColor(clFuchsia);
    bitmap.Canvas().FillRect(RECT{0, 0, 20, 10});
    bitmap.Canvas().Brush().SetColor(0x336699);
    bitmap.Canvas().FillRect(RECT{5, 2, 15, 8});
}

class ShapedFormTest : public testing::Test {
protected:
    ShapedFormTest()
    {
        // The application object exists before any form window, as in the program.
        Application();
        form.SetBounds(100, 100, 300, 200);
        image->SetParent(&form);
        image->SetBounds(0, 0, 1, 1);
        MakeSkin(image->Picture());
        form.HandleNeeded();
        // Record caption presses instead of letting the system start a move loop.
        TWndMethod original = form.WindowProc();
        form.SetWindowProc([this, original](TMessage& message) {
            if (message.Msg == WM_NCLBUTTONDOWN) {
                captionPresses.push_back(message.WParam);
                return;
            }
            original(message);
        });
    }

    void Press(UINT message, WPARAM keys, int x, int y)
    {
        SendMessageA(form.Handle(), message, keys, MAKELPARAM(x, y));
        SendMessageA(form.Handle(), message + 1, 0, MAKELPARAM(x, y));
    }

    TForm form{nullptr};
    TImage* image = new TImage(&form);
    std::vector<WPARAM> captionPresses;
};

} // namespace

TEST_F(ShapedFormTest, RegionVariantCutsTheKeyColourAndSizesTheForm)
{
    kelp::RegionShapedForm shape;
    ASSERT_TRUE(shape.Attach(image));
    // A hidden form is cut as it is first shown.
    HRGN none = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetWindowRgn(form.Handle(), none), ERROR);
    DeleteObject(none);
    form.Show();
    EXPECT_TRUE(shape.IsAttached());
    EXPECT_EQ(shape.GetForm(), &form);
    EXPECT_EQ(form.BorderStyle(), TBorderStyle::None);
    RECT client;
    GetClientRect(form.Handle(), &client);
    EXPECT_EQ(client.right, 20);
    EXPECT_EQ(client.bottom, 10);
    EXPECT_EQ(image->Width(), 20);
    EXPECT_EQ(shape.GetTransparentColor(), clFuchsia);

    HRGN region = CreateRectRgn(0, 0, 0, 0);
    ASSERT_EQ(GetWindowRgn(form.Handle(), region), SIMPLEREGION);
    RECT box;
    GetRgnBox(region, &box);
    EXPECT_EQ(box.left, 5);
    EXPECT_EQ(box.top, 2);
    EXPECT_EQ(box.right, 15);
    EXPECT_EQ(box.bottom, 8);
    DeleteObject(region);

    shape.RemoveShape(&form);
    region = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetWindowRgn(form.Handle(), region), ERROR);
    DeleteObject(region);
}

TEST_F(ShapedFormTest, RegionFollowsTheImagePositionInsideTheForm)
{
    image->SetAutoSize(true);
    image->SetLeft(7);
    kelp::ApplyImageRegion(form, *image, clFuchsia);
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    GetWindowRgn(form.Handle(), region);
    RECT box;
    GetRgnBox(region, &box);
    RECT frame;
    GetWindowRect(form.Handle(), &frame);
    POINT origin{0, 0};
    ClientToScreen(form.Handle(), &origin);
    EXPECT_EQ(box.left, origin.x - frame.left + 7 + 5);
    EXPECT_EQ(box.top, origin.y - frame.top + 2);
    DeleteObject(region);
}

TEST_F(ShapedFormTest, LayeredVariantKeysOutAndFadesOnRequest)
{
    kelp::LayeredShapedForm shape;
    ASSERT_NE(shape.Layered(), nullptr);
    ASSERT_TRUE(shape.Attach(image));
    EXPECT_FALSE(GetWindowLongA(form.Handle(), GWL_EXSTYLE) & WS_EX_LAYERED);
    form.Show();
    EXPECT_TRUE(GetWindowLongA(form.Handle(), GWL_EXSTYLE) & WS_EX_LAYERED);
    COLORREF key = 0;
    BYTE alpha = 0;
    DWORD flags = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(form.Handle(), &key, &alpha, &flags));
    EXPECT_EQ(key, RGB(255, 0, 255));
    EXPECT_EQ(flags, static_cast<DWORD>(LWA_COLORKEY));
    EXPECT_EQ(form.Color(), clFuchsia);  // uncovered client area is keyed out too

    shape.SetAlpha(100);
    shape.SetAlphaEnabled(true);
    ASSERT_TRUE(GetLayeredWindowAttributes(form.Handle(), &key, &alpha, &flags));
    EXPECT_EQ(alpha, 100);
    EXPECT_EQ(flags, static_cast<DWORD>(LWA_COLORKEY | LWA_ALPHA));

    // Neither key nor alpha: the window is plain again.
    shape.SetColorKeyEnabled(false);
    shape.SetAlphaEnabled(false);
    EXPECT_FALSE(GetWindowLongA(form.Handle(), GWL_EXSTYLE) & WS_EX_LAYERED);
}

TEST_F(ShapedFormTest, AHiddenFormsPictureIsReadWhenItFirstShowsAVisibleOneAtOnce)
{
    TBitmap skin;
    MakeSkin(skin);
    int reads = 0;
    TPictureHeader header;
    header.width = 20;
    header.height = 10;
    image->Picture().Defer(header, std::make_shared<const TPixelSource>([&](TBitmap& target) {
        ++reads;
        target.Assign(skin);
    }));
    kelp::RegionShapedForm shape;
    ASSERT_TRUE(shape.Attach(image));
    EXPECT_EQ(form.ClientWidth(), 20);
    EXPECT_EQ(reads, 0);
    // The region is in place before the window is on screen.
    bool shapedWhenVisible = false;
    TWndMethod previous = form.WindowProc();
    form.SetWindowProc([&, previous](TMessage& message) {
        if (message.Msg == WM_WINDOWPOSCHANGED &&
            (reinterpret_cast<WINDOWPOS*>(message.LParam)->flags & SWP_SHOWWINDOW)) {
            HRGN region = CreateRectRgn(0, 0, 0, 0);
            shapedWhenVisible = GetWindowRgn(form.Handle(), region) == SIMPLEREGION;
            DeleteObject(region);
        }
        previous(message);
    });
    form.Show();
    EXPECT_TRUE(shapedWhenVisible);
    EXPECT_EQ(reads, 1);
    EXPECT_EQ(shape.GetTransparentColor(), clFuchsia);
    form.Hide();
    form.Show();
    EXPECT_EQ(reads, 1);

    // A form already on screen takes its shape at once.
    TForm shown(nullptr);
    auto* picture = new TImage(&shown);
    picture->SetParent(&shown);
    MakeSkin(picture->Picture());
    shown.Show();
    kelp::RegionShapedForm immediate;
    ASSERT_TRUE(immediate.Attach(picture));
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetWindowRgn(shown.Handle(), region), SIMPLEREGION);
    DeleteObject(region);
}

TEST_F(ShapedFormTest, LayeredWindowStylesChangeOnlyTheirBits)
{
    kelp::LayeredWindow layered;
    ASSERT_TRUE(layered.IsEnabled());
    LONG before = GetWindowLongA(form.Handle(), GWL_EXSTYLE);
    layered.clickThrough = true;
    layered.Apply(form.Handle());  // nothing requested: not layered, but click-through
    LONG style = GetWindowLongA(form.Handle(), GWL_EXSTYLE);
    EXPECT_FALSE(style & WS_EX_LAYERED);
    EXPECT_TRUE(style & WS_EX_TRANSPARENT);
    layered.Remove(form.Handle());
    EXPECT_EQ(GetWindowLongA(form.Handle(), GWL_EXSTYLE), before);
}

TEST_F(ShapedFormTest, LeftPressDragsRightPressDoesNotBothReachEarlierHandler)
{
    std::vector<TMouseButton> seen;
    image->OnMouseDown = [&](TObject* sender, TMouseButton button, TShiftState, int, int) {
        EXPECT_EQ(sender, image);
        seen.push_back(button);
    };
    kelp::RegionShapedForm shape;
    ASSERT_TRUE(shape.Attach(image));
    Press(WM_LBUTTONDOWN, MK_LBUTTON, 8, 4);
    ASSERT_EQ(captionPresses.size(), 1u);
    EXPECT_EQ(captionPresses[0], static_cast<WPARAM>(HTCAPTION));
    Press(WM_RBUTTONDOWN, MK_RBUTTON, 8, 4);
    EXPECT_EQ(captionPresses.size(), 1u);
    EXPECT_EQ(seen, (std::vector<TMouseButton>{TMouseButton::Left, TMouseButton::Right}));

    shape.SetDraggable(false);
    Press(WM_LBUTTONDOWN, MK_LBUTTON, 8, 4);
    EXPECT_EQ(captionPresses.size(), 1u);
    EXPECT_EQ(seen.size(), 3u);  // the earlier handler is back in place
    shape.SetDraggable(true);    // a dragger once made is not attached again
    Press(WM_LBUTTONDOWN, MK_LBUTTON, 8, 4);
    EXPECT_EQ(captionPresses.size(), 1u);
}

TEST_F(ShapedFormTest, DraggingChosenBeforeAttachTakesEffectAtAttach)
{
    kelp::RegionShapedForm draggable;
    draggable.SetDraggable(true);  // no image yet: nothing to hook
    ASSERT_TRUE(draggable.Attach(image));
    Press(WM_LBUTTONDOWN, MK_LBUTTON, 8, 4);
    EXPECT_EQ(captionPresses.size(), 1u);

    TForm other(nullptr);
    TImage* fixed = new TImage(&other);
    fixed->SetParent(&other);
    MakeSkin(fixed->Picture());
    other.HandleNeeded();
    kelp::RegionShapedForm still;
    still.SetDraggable(false);
    ASSERT_TRUE(still.Attach(fixed));
    EXPECT_FALSE(fixed->OnMouseDown) << "hooked although dragging was switched off";
    still.SetDraggable(true);
    EXPECT_TRUE(fixed->OnMouseDown);

    kelp::FormDragger loose;
    loose.Attach(nullptr, nullptr);
    EXPECT_FALSE(loose.IsAttached());
}

TEST_F(ShapedFormTest, AttachFailsOutsideAFormAndStopsWhenRepeated)
{
    kelp::RegionShapedForm shape;
    EXPECT_FALSE(shape.Attach(nullptr));
    TImage loose(nullptr);
    EXPECT_FALSE(shape.Attach(&loose));
    EXPECT_FALSE(shape.IsAttached());
    ASSERT_TRUE(shape.Attach(image));
    EXPECT_EXIT(shape.Attach(image), testing::ExitedWithCode(3), "!IsAttached\\(\\), file kelp.widget.Source.TShapedForm");
}

TEST_F(ShapedFormTest, ScaledFormIsReportedThenStops)
{
    form.SetName("SkinForm");
    form.SetScaled(true);
    kelp::LayeredShapedForm shape;
    EXPECT_EXIT(
        {
            // Reads and dismisses the notice from a second thread.
            std::thread closer([] {
                for (int i = 0; i < 500; ++i) {
                    HWND box = FindWindowA("#32770", nullptr);
                    if (box) {
                        char caption[64] = {}, text[128] = {};
                        GetWindowTextA(box, caption, sizeof(caption));
                        GetDlgItemTextA(box, 0xFFFF, text, sizeof(text));
                        std::fprintf(stderr, "notice [%s] [%s] ", caption, text);  // the report follows on this line
                        std::fflush(stderr);
                        PostMessageA(box, WM_COMMAND, IDOK, 0);
                        return;
                    }
                    Sleep(10);
                }
            });
            closer.detach();
            shape.Attach(image);
        },
        testing::ExitedWithCode(3), "notice \\[SkinForm\\] \\[Scaled is not set false\\] Assertion failed: m_form->Scaled == false");
}

TEST(FlickerTest, SwallowsEraseOnlyWhileAttached)
{
    Application();
    TForm control(nullptr);
    control.HandleNeeded();
    int erases = 0, others = 0;
    TWndMethod original = control.WindowProc();
    control.SetWindowProc([&, original](TMessage& message) {
        if (message.Msg == WM_ERASEBKGND)
            ++erases;
        else if (message.Msg == WM_USER + 7)
            ++others;
        original(message);
    });
    {
        kelp::Flicker flicker;
        flicker.Attach(&control);
        EXPECT_EQ(control.Perform(WM_ERASEBKGND, 0, 0), 1);
        control.Perform(WM_USER + 7, 0, 0);
        EXPECT_EQ(erases, 0);
        EXPECT_EQ(others, 1);
        EXPECT_EXIT(flicker.Attach(&control), testing::ExitedWithCode(3), "m_control == NULL");
        EXPECT_EQ(flicker.Detach(), &control);
        control.Perform(WM_ERASEBKGND, 0, 0);
        EXPECT_EQ(erases, 1);
        flicker.Attach(&control);
    }  // the destructor detaches
    control.Perform(WM_ERASEBKGND, 0, 0);
    EXPECT_EQ(erases, 2);
}
