#include "app/ForceForeground.h"

#include <cstdint>

void ForceForeground(HWND window)
{
    if (IsIconic(window))
        ShowWindow(window, SW_RESTORE);

    const DWORD ownThread = GetWindowThreadProcessId(window, nullptr);
    const DWORD foregroundThread = GetWindowThreadProcessId(GetForegroundWindow(), nullptr);
    if (ownThread != foregroundThread) {
        AttachThreadInput(foregroundThread, ownThread, TRUE);
        AllowSetForegroundWindow(ASFW_ANY);
        SetForegroundWindow(window);
        BringWindowToTop(window);
        AttachThreadInput(foregroundThread, ownThread, FALSE);
    }

    if (GetForegroundWindow() != window) {
        // The system refuses foreground changes within its lock time-out;
        // lift it for the moment of the change.
        DWORD lockTimeout = 0;
        SystemParametersInfoA(SPI_GETFOREGROUNDLOCKTIMEOUT, 0, &lockTimeout, 0);
        SystemParametersInfoA(SPI_SETFOREGROUNDLOCKTIMEOUT, 0, nullptr, SPIF_SENDCHANGE);
        BringWindowToTop(window);
        SetForegroundWindow(window);
        SystemParametersInfoA(SPI_SETFOREGROUNDLOCKTIMEOUT, 0, reinterpret_cast<void*>(static_cast<uintptr_t>(lockTimeout)),
                              SPIF_SENDCHANGE);
    }

    ShowWindow(window, IsIconic(window) ? SW_RESTORE : SW_SHOW);
}
