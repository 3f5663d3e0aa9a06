#pragma once
// What the tray controller needs from the rest of the program: the power
// monitor's view of the mode, the mode engine, the exit question and the
// dialog that may be up, the program's exit, the automation page and the
// popup menu. The program's own implementation is
// SystemTrayServices; tests substitute their own.

#include <windows.h>

#include <functional>

class TrayServices {
public:
    virtual bool IsOverclocked() = 0;
    // The level in force (while the start-up restore waits: the level it
    // will restore).
    virtual int CurrentLevel() = 0;
    // The delayed start-up restore of the last mode has not run yet.
    virtual bool IsRestorePending() = 0;
    // The saving mode index Auto runs at (any number; the caller clamps).
    virtual int AutoGear() = 0;
    virtual bool IsTweakDisabled() = 0;

    // Asks whether to switch to High Performance before leaving: 1 yes,
    // 2 no (stay).
    virtual int ConfirmExit() = 0;
    // A message or a calibration of the dialogs is up (the menu works from
    // inside its modal loop); the exit question would not be shown then.
    virtual bool IsDialogShown() = 0;
    // Ends that dialog as its close button would (a calibration cancelled).
    virtual void CloseDialog() = 0;
    // Runs `call` from the message loop once the message being handled is
    // done, after the modal loop of a dialog closed meanwhile has ended.
    virtual void RunLater(std::function<void()> call) = 0;
    virtual void SetMode(int level, bool fullApply) = 0;
    // Ends the program as the exit message does.
    virtual void ExitProgram() = 0;
    // Opens the automation page (made on first use).
    virtual void ShowAutomationPage() = 0;

    // Shows the menu at a screen point and returns the chosen item's
    // identifier, 0 when none was chosen.
    virtual UINT PopupMenu(HMENU menu, HWND owner, POINT at) = 0;

protected:
    ~TrayServices() = default;
};
