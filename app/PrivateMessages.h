#pragma once
// The program's private window messages. Messages 1024-1032 carry the tag
// 85 (the letter "U") in wParam and are left alone without it; the mode
// requests 1055-1059 come from other programs of the suite untagged.

#include <windows.h>

constexpr WPARAM kMessageTag = 85;

constexpr UINT kMsgExit = WM_USER;                // 1024: end the program
constexpr UINT kMsgMinimize = WM_USER + 1;        // 1025: minimise the application
constexpr UINT kMsgRestore = WM_USER + 2;         // 1026: show the main window
constexpr UINT kMsgShowMainWindow = WM_USER + 3;  // 1027: show the main window (second instances send it)
constexpr UINT kMsgForeground = WM_USER + 6;      // 1030: bring the main window to the front
constexpr UINT kMsgRefresh = WM_USER + 8;         // 1032: refresh request, lParam = code
constexpr UINT kMsgPipeEvent = WM_USER + 30;      // 1054: board pipe event, wParam = event
constexpr UINT kMsgHighPerformance = WM_USER + 31; // 1055: back to High Performance
constexpr UINT kMsgMediumSaving = WM_USER + 32;   // 1056: Medium Power Saving
constexpr UINT kMsgMaxSaving = WM_USER + 33;      // 1057: Max Power Saving
constexpr UINT kMsgTurbo = WM_USER + 34;          // 1058: Turbo
constexpr UINT kMsgAuto = WM_USER + 35;           // 1059: Auto
constexpr UINT kMsgTrayNotify = WM_USER + 200;    // 1224: tray icon notification

// The refresh code that redraws the mode everywhere.
constexpr LPARAM kRefreshMode = 5;
