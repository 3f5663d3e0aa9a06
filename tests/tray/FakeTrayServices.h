#pragma once
// The tray's view of the program, set by each test, with a record of what
// the tray asked for.

#include "app/TrayServices.h"
#include "engine/ModeModel.h"

#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <utility>
#include <vector>

class FakeTrayServices final : public TrayServices {
public:
    bool overclocked = false;
    int level = GearLevel::HighPerformance;
    bool restorePending = false;
    std::atomic<int> autoGear{1};
    bool tweakDisabled = false;
    int confirmAnswer = 1;
    bool dialogShown = false;
    // What RunLater was given, run by the test as the message loop would.
    std::vector<std::function<void()>> later;
    // What the popup does with the menu it is shown; returns the choice.
    std::function<UINT(HMENU)> popup = [](HMENU) { return 0u; };

    std::vector<std::string> log;

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

    bool IsDialogShown() override { return dialogShown; }
    void CloseDialog() override { log.push_back("CloseDialog"); }
    void RunLater(std::function<void()> call) override { later.push_back(std::move(call)); }

    void SetMode(int newLevel, bool fullApply) override
    {
        log.push_back("SetMode " + std::to_string(newLevel) + (fullApply ? " full" : " item"));
        level = newLevel;
    }

    void ExitProgram() override { log.push_back("ExitProgram"); }
    void ShowAutomationPage() override { log.push_back("ShowAutomationPage"); }

    UINT PopupMenu(HMENU menu, HWND, POINT) override
    {
        log.push_back("PopupMenu");
        return popup(menu);
    }
};
