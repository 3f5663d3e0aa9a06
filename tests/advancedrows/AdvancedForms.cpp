#include "tests/advancedrows/AdvancedForms.h"

#include "framework/TApplication.h"

namespace advancedtest {

namespace {

TAdvancedSetting& Shown(bool extended)
{
    auto* form = new TAdvancedSetting(&Application(), extended); // owned by the application
    form->Show();
    PumpFor(50);
    return *form;
}

} // namespace

TAdvancedSetting& BasicForm()
{
    static TAdvancedSetting& form = Shown(false);
    return form;
}

TAdvancedSetting& ExtendedForm()
{
    static TAdvancedSetting& form = Shown(true);
    return form;
}

void Mouse(HWND window, UINT message, int x, int y, WPARAM keys)
{
    PostMessageA(window, message, keys, MAKELPARAM(x, y));
    Application().ProcessMessages();
}

void LeftPress(HWND window, int x, int y)
{
    Mouse(window, WM_LBUTTONDOWN, x, y, MK_LBUTTON);
}

void LeftRelease(HWND window, int x, int y)
{
    Mouse(window, WM_LBUTTONUP, x, y, 0);
}

void DragTo(HWND window, int x, int y)
{
    Mouse(window, WM_MOUSEMOVE, x, y, MK_LBUTTON);
}

} // namespace advancedtest
