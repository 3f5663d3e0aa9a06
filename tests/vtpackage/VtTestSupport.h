#pragma once
// A shown form with the package's controls on it, the state artwork, real
// window messages to the controls' windows, and what a control shows, read
// from its painted pixels.

#include "VtPackage/VtCustomControl.h"
#include "VtPackage/VtRegistration.h"
#include "framework/TApplication.h"
#include "framework/TForm.h"
#include "framework/system/ExecutableFolder.h"
#include "tests/support/WindowlessPaint.h"

#include <gtest/gtest.h>
#include <string>

namespace vttest {

inline std::string ArtFolder()
{
    return ExecutableFolder() + "vtfixtures\\";
}

// One artwork file, loaded.
class Art : public TBitmap {
public:
    explicit Art(const std::string& name) { LoadFromFile(ArtFolder() + name); }
};

inline void PumpMessages()
{
    for (int i = 0; i < 3; ++i) {
        Application().ProcessMessages();
        Sleep(1);
    }
}

inline void PumpFor(DWORD milliseconds)
{
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < milliseconds) {
        Application().ProcessMessages();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

// What the control paints over a white background.
inline void PaintInto(TWinControl& control, TBitmap& snapshot)
{
    PaintWindowless(control, snapshot, clWhite);
}

// The state whose bitmap the control shows: every pixel inside the rows
// [top, bottom) matches, transparent pixels aside. -1 when none does.
inline int ShownState(VtCustomControl& control, int top = 0, int bottom = -1)
{
    TBitmap painted;
    PaintInto(control, painted);
    if (bottom < 0)
        bottom = control.Height();
    for (int state = 0; state < control.StateCount(); ++state) {
        TBitmap& bitmap = control.GetStateBitmap(state);
        if (bitmap.Width() != control.Width() || bitmap.Height() != control.Height())
            continue;
        bool same = true;
        for (int y = top; y < bottom && same; ++y)
            for (int x = 0; x < bitmap.Width() && same; ++x) {
                const TColor colour = bitmap.PixelColor(x, y);
                if (control.Transparent() && colour == control.TransparentColor())
                    continue;
                same = painted.PixelColor(x, y) == colour;
            }
        if (same)
            return state;
    }
    return -1;
}

class FormTest : public testing::Test {
protected:
    FormTest()
    {
        Application();
        RegisterVtComponents();
        form.SetBorderStyle(TBorderStyle::None);
        form.SetBounds(40, 40, 400, 300);
        form.SetColor(clWhite);
        form.Show();
        PumpMessages();
    }

    template <typename T>
    T& Place(int left, int top)
    {
        auto* control = new T(&form);
        control->SetParent(&form);
        control->SetBounds(left, top, 10, 10);
        control->HandleNeeded();
        return *control;
    }

    // Mouse input as the system delivers it: the pointer is put there
    // first, so leave tracking sees where it really is.
    static void Mouse(TWinControl& control, UINT msg, int x, int y, WPARAM keys)
    {
        POINT screen{x, y};
        ClientToScreen(control.Handle(), &screen);
        SetCursorPos(screen.x, screen.y);
        SendMessageA(control.Handle(), msg, keys, MAKELPARAM(x, y));
    }
    static void Move(TWinControl& control, int x, int y, bool leftHeld = false)
    {
        Mouse(control, WM_MOUSEMOVE, x, y, leftHeld ? MK_LBUTTON : 0);
    }
    static void Down(TWinControl& control, int x, int y) { Mouse(control, WM_LBUTTONDOWN, x, y, MK_LBUTTON); }
    static void DoubleDown(TWinControl& control, int x, int y) { Mouse(control, WM_LBUTTONDBLCLK, x, y, MK_LBUTTON); }
    static void Up(TWinControl& control, int x, int y) { Mouse(control, WM_LBUTTONUP, x, y, 0); }
    static void ClickAt(TWinControl& control, int x, int y)
    {
        Move(control, x, y);
        Down(control, x, y);
        Up(control, x, y);
    }
    // A key going down (with its translated character) or up, posted and
    // taken through the message loop.
    static void KeyDown(TWinControl& control, WORD key)
    {
        PostMessageA(control.Handle(), WM_KEYDOWN, key, 1);
        PumpMessages();
    }
    static void KeyUp(TWinControl& control, WORD key)
    {
        PostMessageA(control.Handle(), WM_KEYUP, key, 0xC0000001);
        PumpMessages();
    }

    TForm form{nullptr};
};

} // namespace vttest
