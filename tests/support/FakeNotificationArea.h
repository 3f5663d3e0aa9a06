#pragma once
// A stand-in for the shell's notification area in a prefix without a shell:
// a window of the taskbar's class, which Shell_NotifyIcon of every process
// in the prefix finds and sends its requests to. It keeps, per owner window
// and icon id, what a shell would show: the last accepted command and the
// latest tip, balloon and icon pictures. Create it before the program that
// adds its icon starts.

#include "tests/support/NotifyRecord.h"

#include <windows.h>

#include <condition_variable>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <utility>

namespace traytest {

struct ShownIcon {
    uint32_t lastCommand = kNotifyAdd;  // the last accepted add, modify or delete
    bool shown = false;                 // added and not deleted since
    std::string tip;                    // UTF-8
    std::string balloon;                // the last balloon text sent (empty: hidden)
    std::string balloonTitle;
    IconBits icon;                      // the picture last sent
    unsigned updates = 0;               // accepted requests so far
};

class FakeNotificationArea {
public:
    // Returns once the window is up (or could not be made: see Up()).
    FakeNotificationArea();
    ~FakeNotificationArea();
    FakeNotificationArea(const FakeNotificationArea&) = delete;
    FakeNotificationArea& operator=(const FakeNotificationArea&) = delete;

    bool Up() const { return window_ != nullptr; }
    std::optional<ShownIcon> Icon(HWND owner, UINT id) const;
    // Waits until the icon exists and satisfies the condition; false when
    // it did not within the time.
    bool WaitFor(HWND owner, UINT id, const std::function<bool(const ShownIcon&)>& condition,
                 DWORD timeoutMs) const;

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void Run(HANDLE ready);
    bool Receive(DWORD command, const NotifyRecord& record);

    using Key = std::pair<uint32_t, uint32_t>;
    mutable std::mutex mutex_;
    mutable std::condition_variable changed_;
    std::map<Key, ShownIcon> icons_;
    HWND window_ = nullptr;
    DWORD threadId_ = 0;
    std::thread thread_;
};

} // namespace traytest
