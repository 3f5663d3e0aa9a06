#pragma once
// The program's exit, the same whoever asks for it (the exit message, the
// tray menu's Exit, a close of the application window, artwork that fails
// when first drawn), and the work in flight that it and the end of the
// Windows session both have to end first.

#include <windows.h>

// The longest the exit waits for a mode change still being applied.
constexpr DWORD kExitWaitMs = 3000;
// The system ends the process soon after the session's end has been
// handled, and takes a long handler for a hung program.
constexpr DWORD kSessionEndWaitMs = 1500;

// No mode change starts any more and one still being applied gets at most
// waitMs; one that outlives the wait has its crash guard abandoned. A
// calibration under way ends as a cancelled one: its load stops and its
// crash guard is cleared. A black screen that is up gives back the sound
// and the display. True when no mode change runs any more.
bool EndWorkInFlight(DWORD waitMs);

// Fans the program drove go back to High Performance's profile once no
// other thread of the program is inside a fan-chip access (waited for at most
// waitMs); no other thread touches the chip after that.
void HandFansBack(DWORD waitMs);

// The work in flight ended, the fans handed back; the gear level item goes back to 0, the window
// leaves the system service and the crash guards of calibration and mode
// change are cleared.
// True when no mode change runs any more: the caller then closes the main
// window. False: a change outlived the wait. It cannot be left running
// while the program's objects go, so the caller ends the process at once;
// the change's crash guard has been cleared and stays so.
bool PrepareExit(HWND window);
