#pragma once
// The two layouts of the advanced-settings form, created once for the run
// and shown, and the mouse as the system delivers it to them.

#include "screens/advancedsetting/TAdvancedSetting.h"
#include "tests/support/MessagePump.h"

namespace advancedtest {

TAdvancedSetting& BasicForm();
TAdvancedSetting& ExtendedForm();

// Posts a mouse message at a client point of the window and lets the
// message loop deliver it.
void Mouse(HWND window, UINT message, int x, int y, WPARAM keys);
void LeftPress(HWND window, int x, int y);
void LeftRelease(HWND window, int x, int y);
void DragTo(HWND window, int x, int y);

} // namespace advancedtest
