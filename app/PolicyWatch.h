#pragma once
// Tells the program when the system has refreshed policy, so that the
// policies in force take effect without a restart. Two signals, either may
// come alone: the Group Policy events of RegisterGPNotification (machine
// and user; userenv.dll is looked up late so that a start loads nothing of
// it before the watch begins) and the WM_SETTINGCHANGE broadcast whose
// lParam names "Policy". No thread: the message loop waits for the events.

#include <windows.h>

#include <functional>

class PolicyWatch {
public:
    // `refreshed` runs on the main thread after each signal.
    explicit PolicyWatch(std::function<void()> refreshed);
    ~PolicyWatch();
    PolicyWatch(const PolicyWatch&) = delete;
    PolicyWatch& operator=(const PolicyWatch&) = delete;

    // Registers for the Group Policy events (once; without them the
    // broadcast still works).
    void Start();
    // The main window's WM_SETTINGCHANGE; true when it named policy.
    bool OnSettingChange(LPARAM lParam);

private:
    struct Registration {
        HANDLE event = nullptr;
        int watch = 0;
        bool machine = false;
        bool registered = false;
    };
    void Register(Registration& registration);

    std::function<void()> refreshed_;
    Registration machine_;
    Registration user_;
    bool started_ = false;
};

// Whether a WM_SETTINGCHANGE lParam names the policy area ("Policy", any
// case). The string is the sender's: read at most a few characters.
bool NamesPolicyArea(const char* area);
