#pragma once
// The program's private window messages. Each carries the tag 85 (the
// letter "U") in wParam; a message without the tag is left alone.

#include <windows.h>

constexpr WPARAM kMessageTag = 85;

constexpr UINT kMsgExit = WM_USER;                // 1024: end the program
constexpr UINT kMsgShowMainWindow = WM_USER + 3;  // 1027: show the main window (second instances send it)
