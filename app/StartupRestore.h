#pragma once
// The start-up restore of the last mode. At log-on the board first gets
// High Performance (level item only); the last mode follows a minute later
// from the restore timer, so that the log-on is not slowed by a mode
// change. The crash guard CheckSafeFlag stays set from then until the
// session ends: a log-on that finds it set starts in High Performance.

class TTimer;

class StartupRestore {
public:
    // `timer` is the main window's InitGearModeTimer.
    explicit StartupRestore(TTimer& timer);

    void Run(bool bootFlag);
    // The timer's handler.
    void TimerTimer();
    // True while the delayed restore is pending, with the level it will set.
    bool IsPending(int& level) const;
    // Drops a pending restore (the user chose a mode first).
    void Cancel();
    // The level a pending restore will set instead of the last mode (a
    // forced mode of the policies).
    void SetPendingLevel(int level) { pendingLevel_ = level; }

private:
    TTimer& timer_;
    int pendingLevel_ = 0;
};
