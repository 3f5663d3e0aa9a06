#pragma once
// Runs the application's message loop in tests until a condition holds.

#include "framework/TApplication.h"

#include <functional>

// Processes messages until done() is true or the time is up; returns done().
inline bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 5000)
{
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > timeoutMs)
            return false;
        Application().ProcessMessages();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

inline void PumpFor(DWORD ms)
{
    PumpUntil([] { return false; }, ms);
}
