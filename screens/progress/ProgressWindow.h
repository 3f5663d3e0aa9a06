#pragma once
// A plain modal progress window with a bar and a Cancel button. It calls
// step(1), step(2), ... step(stepCount), one interval of
// durationMs / stepCount apart (plus the time each call takes), and closes
// on the tick after the last.

#include <windows.h>

#include <functional>

// 1 when every tick ran; 2 when the user cancelled or closed the window (no
// tick runs after that). The owner is disabled while the window is up.
// `message`, when given, is shown above the bar.
int ShowProgressWindow(HWND owner, int stepCount, DWORD durationMs, const std::function<void(int tick)>& step,
                       const char* message = nullptr);

// Class name of the progress window.
inline constexpr char kProgressWindowClass[] = "PellixProgressWindow";
