#pragma once
#include <windows.h>

// Brings a window to the foreground even when another process owns the
// foreground, restoring it when minimised, and shows it.
void ForceForeground(HWND window);
