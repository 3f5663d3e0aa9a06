#pragma once
// The tray's services in the running program: the power monitor, the
// power-gear adapter's Auto gear, the mode engine, the message dialogs and
// the system's popup menu.

#include "app/TrayServices.h"

class SystemTrayServices final : public TrayServices {
public:
    bool IsOverclocked() override;
    int CurrentLevel() override;
    // The main form's InitGearModeTimer is running.
    bool IsRestorePending() override;
    int AutoGear() override;
    bool IsTweakDisabled() override;
    int ConfirmExit() override;
    bool IsDialogShown() override;
    void CloseDialog() override;
    void RunLater(std::function<void()> call) override;
    void SetMode(int level, bool fullApply) override;
    void ExitProgram() override;
    void ShowAutomationPage() override;
    UINT PopupMenu(HMENU menu, HWND owner, POINT at) override;
};
