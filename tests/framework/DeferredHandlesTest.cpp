// A hidden form's window may exist before its controls' windows: they are
// made when the form is first shown, however it is shown, or when one of
// them needs its window earlier, and they then look exactly as if they had
// been made with the form's.

#include "framework/TForm.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

// A form with three windowed controls, the middle one disabled, hidden and
// captioned while no window exists.
struct ControlledForm {
    TForm form{nullptr};
    TWinControl* first = new TWinControl(&form);
    TWinControl* middle = new TWinControl(&form);
    TWinControl* last = new TWinControl(&form);

    ControlledForm()
    {
        form.SetBorderStyle(TBorderStyle::None);
        form.SetBounds(0, 0, 200, 100);
        int left = 0;
        for (TWinControl* control : {first, middle, last}) {
            control->SetParent(&form);
            control->SetBounds(left, 5, 40, 30);
            left += 50;
        }
        middle->SetCaption("kept");
        middle->SetEnabled(false);
        middle->Hide();
        middle->SetBounds(60, 10, 35, 25);
    }

    bool AnyControlWindow() const
    {
        return first->HandleAllocated() || middle->HandleAllocated() || last->HandleAllocated();
    }

    // The controls' windows from the top of the sibling order down.
    std::vector<HWND> ChildOrder()
    {
        std::vector<HWND> order;
        for (HWND child = GetWindow(form.Handle(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            order.push_back(child);
        return order;
    }

    std::vector<HWND> CreationOrder() { return {first->Handle(), middle->Handle(), last->Handle()}; }
};

std::string WindowText(HWND window)
{
    char text[64] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

RECT ChildRect(HWND window)
{
    RECT rect;
    GetWindowRect(window, &rect);
    MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

} // namespace

TEST(DeferredHandles, HiddenFormWindowComesWithoutItsControlsWindowsUntilShown)
{
    ControlledForm hidden;
    hidden.form.HandleNeeded();
    ASSERT_TRUE(hidden.form.HandleAllocated());
    EXPECT_FALSE(hidden.AnyControlWindow());
    EXPECT_FALSE(hidden.form.ChildHandlesCreated());
    EXPECT_EQ(GetWindow(hidden.form.Handle(), GW_CHILD), nullptr);

    // A control added or shown meanwhile waits as well.
    auto* added = new TWinControl(&hidden.form);
    added->SetParent(&hidden.form);
    added->Show();
    EXPECT_FALSE(added->HandleAllocated());

    hidden.form.Show();
    EXPECT_TRUE(hidden.form.ChildHandlesCreated());
    ASSERT_TRUE(hidden.middle->HandleAllocated());
    ASSERT_TRUE(added->HandleAllocated());
    const HWND middle = hidden.middle->Handle();
    EXPECT_EQ(WindowText(middle), "kept");
    EXPECT_FALSE(IsWindowEnabled(middle));
    EXPECT_FALSE(IsWindowVisible(middle));
    EXPECT_TRUE(IsWindowVisible(hidden.first->Handle()));
    const RECT rect = ChildRect(middle);
    EXPECT_EQ(rect.left, 60);
    EXPECT_EQ(rect.top, 10);
    EXPECT_EQ(rect.right - rect.left, 35);
    EXPECT_EQ(rect.bottom - rect.top, 25);
}

TEST(DeferredHandles, ControlsWindowsExistBeforeAFormShownThroughTheSystemAppears)
{
    ControlledForm hidden;
    bool controlsThereWhenShown = false;
    hidden.form.OnShow = [&](TObject*) { controlsThereWhenShown = hidden.first->HandleAllocated(); };
    ShowWindow(hidden.form.Handle(), SW_SHOW);
    EXPECT_TRUE(controlsThereWhenShown);
    EXPECT_TRUE(hidden.form.Visible());
    EXPECT_TRUE(IsWindowVisible(hidden.last->Handle()));
}

TEST(DeferredHandles, ControlWindowsKeepTheirOrderWhateverMadeThemFirst)
{
    // Made with the form, as for a form created visible.
    ControlledForm direct;
    direct.form.Show();
    ASSERT_TRUE(direct.last->HandleAllocated());
    const std::vector<HWND> directOrder = direct.ChildOrder();
    ASSERT_EQ(directOrder.size(), 3u);
    std::vector<int> expected;
    const std::vector<HWND> made = direct.CreationOrder();
    for (HWND window : directOrder)
        expected.push_back(static_cast<int>(std::find(made.begin(), made.end(), window) - made.begin()));

    // The last control needs its window while the form is hidden: its
    // siblings' windows are made with it, in their order.
    ControlledForm early;
    early.form.HandleNeeded();
    const HWND last = early.last->Handle();
    ASSERT_NE(last, nullptr);
    EXPECT_TRUE(early.first->HandleAllocated());
    EXPECT_TRUE(early.middle->HandleAllocated());
    EXPECT_EQ(GetParent(last), early.form.Handle());
    EXPECT_FALSE(IsWindowVisible(early.form.Handle()));
    const std::vector<HWND> earlyMade = early.CreationOrder();
    std::vector<int> actual;
    for (HWND window : early.ChildOrder())
        actual.push_back(static_cast<int>(std::find(earlyMade.begin(), earlyMade.end(), window) - earlyMade.begin()));
    EXPECT_EQ(actual, expected);
}

TEST(DeferredHandles, FormRecreatedAfterItsWindowWasDestroyedMakesItsControlsAgain)
{
    ControlledForm form;
    form.form.Show();
    form.form.Hide();
    form.form.DestroyHandle();
    EXPECT_FALSE(form.form.HandleAllocated());
    EXPECT_FALSE(form.first->HandleAllocated());
    form.form.Show();
    EXPECT_TRUE(form.form.ChildHandlesCreated());
    EXPECT_TRUE(IsWindowVisible(form.first->Handle()));
    EXPECT_EQ(WindowText(form.middle->Handle()), "kept");
}
