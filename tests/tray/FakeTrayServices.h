#pragma once
// The tray's view of the program, set by each test, with a record of what
// the tray asked for. SetMode runs a stand-in for the mode worker: it holds
// Gear_Flag set for a while on its own thread, as a real change does.

#include "app/TrayServices.h"
#include "engine/AdvanceSettings.h"
#include "engine/ModeModel.h"

#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

class FakeTrayServices final : public TrayServices {
public:
    ~FakeTrayServices()
    {
        if (worker_.joinable())
            worker_.join();
    }

    bool overclocked = false;
    int level = GearLevel::HighPerformance;
    bool restorePending = false;
    std::atomic<int> autoGear{1};
    bool tweakDisabled = false;
    int confirmAnswer = 1;
    // How long the stand-in change keeps running.
    DWORD changeMs = 400;
    // What the popup does with the menu it is shown; returns the choice.
    std::function<UINT(HMENU)> popup = [](HMENU) { return 0u; };

    std::vector<std::string> log;
    std::atomic<bool> changeRunning{false};

    bool IsOverclocked() override { return overclocked; }
    int CurrentLevel() override { return level; }
    bool IsRestorePending() override { return restorePending; }
    int AutoGear() override { return autoGear; }
    bool IsTweakDisabled() override { return tweakDisabled; }

    int ConfirmExit() override
    {
        log.push_back("ConfirmExit");
        return confirmAnswer;
    }

    void SetMode(int newLevel, bool fullApply) override
    {
        log.push_back("SetMode " + std::to_string(newLevel) + (fullApply ? " full" : " item"));
        changeRunning = true;
        AdvanceSettings::Instance().MarkGear_Flag();
        worker_ = std::thread([this, newLevel] {
            Sleep(changeMs);
            level = newLevel;
            AdvanceSettings::Instance().ClearGear_Flag();
            changeRunning = false;
        });
    }

    bool WaitForModeChange(DWORD timeoutMs) override
    {
        log.push_back("WaitForModeChange " + std::to_string(timeoutMs));
        const DWORD start = GetTickCount();
        while (changeRunning && GetTickCount() - start < timeoutMs)
            Sleep(5);
        return !changeRunning;
    }

    UINT PopupMenu(HMENU menu, HWND, POINT) override
    {
        log.push_back("PopupMenu");
        return popup(menu);
    }

private:
    std::thread worker_;
};
