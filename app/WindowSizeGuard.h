#pragma once
// Keeps a window's outer size at its background picture plus the frame,
// whatever size the system or the user proposes.

#include <windows.h>

struct OuterSize {
    int width;
    int height;
};

// Adjusts the proposed position record; true when the size was changed.
// A record that keeps the size (SWP_NOSIZE) is left alone.
bool KeepBackgroundSize(WINDOWPOS& position, OuterSize window, OuterSize client, OuterSize background);
