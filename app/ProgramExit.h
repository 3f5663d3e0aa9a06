#pragma once
// The program's exit, the same whoever asks for it (the exit message, the
// tray menu's Exit): no mode change starts any more and one still being
// applied gets a bounded wait; fans the program drove go back to High
// Performance's profile, and no other thread touches the fan chip any
// more; the gear level item goes back to 0, the window leaves the system
// service and the crash guards of calibration and mode change are cleared.

#include <windows.h>

// The longest the exit waits for a mode change still being applied.
constexpr DWORD kExitWaitMs = 3000;

// True when no mode change runs any more: the caller then closes the main
// window. False: a change outlived the wait. It cannot be left running
// while the program's objects go, so the caller ends the process at once;
// the change's crash guard has been cleared and stays so.
bool PrepareExit(HWND window);
