#pragma once
// Registration of the main window for the system service's notices. The
// window registers under the instance identifier that also names the
// single-instance mutex.

#include <windows.h>

extern "C" {
BOOL __stdcall VtSysSvr_RegisterNotify(HWND window, const wchar_t* clientId);
BOOL __stdcall VtSysSvr_UnregisterNotify(HWND window, const wchar_t* clientId);
}

// True when the service accepted the window.
bool RegisterServiceNotify(HWND window);
void UnregisterServiceNotify(HWND window);
