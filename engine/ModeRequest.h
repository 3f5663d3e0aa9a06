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
// For the program's exit: every later request is dropped, also one that is
// still waiting for the change before it; a change already let through is
// still counted by WaitForModeChange.
void CloseModeChanges();
// For an exit that can wait no longer: the changes in flight apply nothing
// more from their next step on, and their crash guard is cleared for good.
void AbandonModeChanges();
// Told on the worker thread after each applied change (the tray icon refresh).
class ModeChangeObserver {
public:
    virtual ~ModeChangeObserver() = default;
    virtual void RefreshIcon() = 0;
};
void PlugModeChangeObserver(ModeChangeObserver* observer);
