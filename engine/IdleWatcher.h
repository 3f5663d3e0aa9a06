#pragma once
#include <windows.h>

#include <mutex>

// Notices when the user has left keyboard and mouse alone for longer than
// the current mode's idle time-out. Polled by the main window's idle timer;
// configured by the mode-change thread.
class IdleWatcher {
public:
    using TickSource = DWORD (*)();
    // Newest input tick into *tick; false when the system cannot tell.
    using LastInputSource = bool (*)(DWORD* tick);

    static IdleWatcher& Instance();

    // Clock and input sources are injectable so the wrap-around of the 32-bit
    // tick count can be driven deterministically.
    IdleWatcher(TickSource tick, LastInputSource lastInput);

    void Restart();
    void SetEnabled(bool enabled);
    void SetTimeout(DWORD timeoutMs);
    // True exactly once per idle period, when the idle time first exceeds
    // the time-out; never while suspended.
    bool Poll();
    // For the length of a calibration, which drives the board through its
    // modes itself: whatever modes are applied meanwhile, the watcher stays
    // quiet, and on resuming the idle period starts anew.
    void Suspend();
    void Resume();

    bool IsEnabled() const;
    DWORD Timeout() const;

private:
    // Configured by the mode-change thread, polled on the main thread.
    mutable std::mutex lock_;
    TickSource tick_;
    LastInputSource lastInput_;
    DWORD lastInputTick_;
    DWORD timeoutMs_ = 200000;
    bool enabled_ = false;
    bool fired_ = false;
    bool suspended_ = false;
};
