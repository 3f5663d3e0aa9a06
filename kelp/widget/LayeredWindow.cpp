#include "kelp/widget/LayeredWindow.h"

#include "kelp/System/Assert.h"

namespace kelp {

namespace {

constexpr LONG kLayered = 0x80000;      // WS_EX_LAYERED
constexpr LONG kTransparent = 0x20;     // WS_EX_TRANSPARENT: mouse input passes through

// Writes the two style bits; false when they already had these values.
bool SetExStyle(HWND window, bool layered, bool clickThrough)
{
    LONG style = GetWindowLongA(window, GWL_EXSTYLE);
    LONG wanted = (layered ? kLayered : 0) | (clickThrough ? kTransparent : 0);
    if ((style & (kLayered | kTransparent)) == wanted)
        return false;
    SetWindowLongA(window, GWL_EXSTYLE, (style & ~(kLayered | kTransparent)) | wanted);
    return true;
}

void Redraw(HWND window)
{
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
}

} // namespace

LayeredWindow::LayeredWindow()
{
    if (HMODULE user32 = GetModuleHandleA("user32.dll"))
        m_setLayeredWindowAttributes = reinterpret_cast<SetAttributesFunction>(
            reinterpret_cast<void*>(GetProcAddress(user32, "SetLayeredWindowAttributes")));
}

void LayeredWindow::Apply(HWND window)
{
    KELP_ASSERT(IsEnabled(), "kelp\\widget\\Source\\LayeredWindow", 44);
    if (!useColorKey && !useAlpha) {
        if (SetExStyle(window, false, clickThrough))
            Redraw(window);
        return;
    }
    SetExStyle(window, true, clickThrough);
    m_setLayeredWindowAttributes(window, colorKey & 0xFFFFFF, alpha,
                                 (useColorKey ? LWA_COLORKEY : 0) | (useAlpha ? LWA_ALPHA : 0));
}

void LayeredWindow::Remove(HWND window)
{
    if (SetExStyle(window, false, false))
        Redraw(window);
}

} // namespace kelp
