#pragma once
#include <windows.h>

// Switches the power mode. The change runs on a worker thread; a request
// made while the previous one still runs waits for it (bounded) first.
// Item-only requests (fullApply false) also pass GearLevel::CalibrationEnd.
void RequestMode(int level, bool fullApply, bool applyVga);
void SetMode(int level, bool fullApply);        // RequestMode(level, fullApply, true)
void SetModeNoVga(int level, bool fullApply);   // RequestMode(level, fullApply, false)
// Waits at most timeoutMs for a mode change that is still running to end
// (keeps the main thread's thread-termination handlers serviced meanwhile).
// True when no change is running any more.
bool WaitForModeChange(DWORD timeoutMs);
// For the program's exit: every later request is dropped.
void CloseModeChanges();
// Told on the worker thread after each applied change (the tray icon refresh).
class ModeChangeObserver {
public:
    virtual ~ModeChangeObserver() = default;
    virtual void RefreshIcon() = 0;
};
void PlugModeChangeObserver(ModeChangeObserver* observer);
