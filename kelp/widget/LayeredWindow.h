#pragma once
// The layered-window attributes of one window: a colour key that makes one
// colour fully transparent, a constant alpha and the click-through style.
// SetLayeredWindowAttributes is looked up at run time in the loaded user32.

#include "framework/graphics/Color.h"

#include <cstdint>
#include <windows.h>

namespace kelp {

class LayeredWindow {
public:
    LayeredWindow();
    virtual ~LayeredWindow() = default;

    // True when the platform has SetLayeredWindowAttributes.
    bool IsEnabled() const { return m_setLayeredWindowAttributes != nullptr; }
    // Makes the window layered with the requested key and alpha, or plain
    // again when neither is requested.
    void Apply(HWND window);
    // Clears the layered and click-through styles.
    void Remove(HWND window);

    TColor colorKey = clNone;
    bool useColorKey = false;
    bool clickThrough = false;
    bool useAlpha = false;
    uint8_t alpha = 255;

private:
    using SetAttributesFunction = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);

    SetAttributesFunction m_setLayeredWindowAttributes = nullptr;
};

} // namespace kelp
