#pragma once
// Runs the application's message loop in tests until a condition holds.

#include "framework/TApplication.h"

#include <cstdio>
#include <functional>
#include <string>

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

// For picture programs that take several pictures: lets the forms settle,
// says "shot <name>" on standard output and waits (at most 30 s) until the
// screenshot script leaves "<name>.done".
inline void ShotNamed(const std::string& name)
{
    PumpFor(700);
    std::printf("shot %s\n", name.c_str());
    std::fflush(stdout);
    const std::string done = name + ".done";
    PumpUntil([&] { return GetFileAttributesA(done.c_str()) != INVALID_FILE_ATTRIBUTES; }, 30000);
}

// For picture programs: lets the shown forms settle, says "shot" on standard
// output for the screenshot script, and keeps them up until the script
// leaves `doneFile` (at most 30 s).
inline void HoldForScreenshot(const char* doneFile)
{
    PumpFor(1500);
    std::printf("shot\n");
    std::fflush(stdout);
    PumpUntil([&] { return GetFileAttributesA(doneFile) != INVALID_FILE_ATTRIBUTES; }, 30000);
}
