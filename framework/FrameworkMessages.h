#pragma once
// Private messages the framework posts to its own windows. They sit in the
// WM_APP range, clear of the WM_USER numbers the program's windows use.

#include <windows.h>

// Posted to a control's own window: the control frees itself (TForm::Release).
constexpr UINT CM_RELEASE = WM_APP + 0x100;
// Posted to the application window when a thread ended; lParam: the TThread.
constexpr UINT CM_THREADTERMINATED = WM_APP + 0x101;
// Sent to the application window by Synchronize; lParam: the call to run.
constexpr UINT CM_SYNCHRONIZE = WM_APP + 0x102;
// Posted to the application window by Queue; the queued calls are its own.
constexpr UINT CM_QUEUED = WM_APP + 0x103;
// Runs a control's accessible default action, posted so that the client
// asking for it is answered first.
constexpr UINT CM_ACCDEFAULTACTION = WM_APP + 0x104;
