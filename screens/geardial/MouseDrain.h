#pragma once
// Drops the mouse messages (WM_MOUSEMOVE to WM_MOUSEHWHEEL) that reach the
// calling thread's queue during the given time, so that clicks made while
// the window could not take them do not land afterwards.

#include <windows.h>

namespace geardial {

void DrainMouseMessages(DWORD milliseconds);

} // namespace geardial
