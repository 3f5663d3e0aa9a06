#pragma once
// Stands in for the shell: keeps a copy of every notification record it is
// handed and can refuse a number of adds.

#include "app/TrayIcon.h"

#include <windows.h>

#include <atomic>
#include <mutex>
#include <string>
#include <vector>

struct ShellCall {
    DWORD message;
    NotifyIconDataV2 data;
    // Whether the icon handle was a live icon while the shell had it.
    bool iconAlive;

    bool Has(UINT flag) const { return (data.uFlags & flag) != 0; }
    std::string Balloon() const { return data.szInfo; }
};

class ShellRecorder {
public:
    ShellNotify Notify()
    {
        return [this](DWORD message, NotifyIconDataV2& request) {
            // The shell reads the record when called and uses the icon while
            // it works; a slow one widens any window in which the icon could
            // be destroyed under it.
            const NotifyIconDataV2 data = request;
            if (delayMs_)
                Sleep(delayMs_);
            ICONINFO info{};
            const bool alive = data.hIcon && GetIconInfo(data.hIcon, &info);
            if (alive) {
                DeleteObject(info.hbmColor);
                DeleteObject(info.hbmMask);
            }
            std::lock_guard<std::mutex> lock(mutex_);
            calls_.push_back({message, data, alive});
            if (message == NIM_ADD && failAdds_ > 0) {
                --failAdds_;
                return false;
            }
            return true;
        };
    }

    void SetDelay(DWORD ms) { delayMs_ = ms; }
    void FailAdds(int count)
    {
        std::lock_guard<std::mutex> lock(mutex_);
        failAdds_ = count;
    }
    std::vector<ShellCall> Calls()
    {
        std::lock_guard<std::mutex> lock(mutex_);
        return calls_;
    }
    std::vector<ShellCall> Calls(DWORD message)
    {
        std::vector<ShellCall> selected;
        for (const ShellCall& call : Calls())
            if (call.message == message)
                selected.push_back(call);
        return selected;
    }
    // Requests that showed a balloon text (an empty one hides it).
    std::vector<std::string> BalloonsShown()
    {
        std::vector<std::string> shown;
        for (const ShellCall& call : Calls())
            if (call.Has(NIF_INFO) && call.data.szInfo[0])
                shown.push_back(call.data.szInfo);
        return shown;
    }
    int BalloonHides()
    {
        int hides = 0;
        for (const ShellCall& call : Calls())
            hides += call.Has(NIF_INFO) && !call.data.szInfo[0];
        return hides;
    }
    void Clear()
    {
        std::lock_guard<std::mutex> lock(mutex_);
        calls_.clear();
    }

private:
    std::mutex mutex_;
    std::vector<ShellCall> calls_;
    int failAdds_ = 0;
    std::atomic<DWORD> delayMs_{0};
};
