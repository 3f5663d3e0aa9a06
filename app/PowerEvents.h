#pragma once
// Suspend and resume. The level in force at suspend is applied again on
// resume, unless the overclocking utility is about: it re-applies its own
// settings after a resume, so the level follows later from the restore
// timer, or not at all. A forced mode of the policies is what comes back.

#include "engine/ModeChangeCause.h"

#include <windows.h>

class TTimer;

class PowerEvents {
public:
    // `restoreTimer` is the main window's RestoreGearTimer.
    explicit PowerEvents(TTimer& restoreTimer);

    // WM_POWERBROADCAST.
    void OnPowerBroadcast(WPARAM event);
    // Another program asks for High Performance (message 1055).
    void ReturnToHighPerformance();
    // The restore timer's handler.
    void RestoreGearTimerTimer();

private:
    void Suspend();
    void Resume();
    // The timer applies the change later, counted as `cause`.
    void StartRestoreTimer(unsigned intervalMs, ModeChangeCause cause);

    TTimer& restoreTimer_;
    int suspendLevel_ = 0;
    bool splintHelpOpen_ = false;
    ModeChangeCause restoreCause_ = ModeChangeCause::Resume;
};
