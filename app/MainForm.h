#pragma once
// The program's main window: the message hub that other instances and
// programs find by class and caption. It starts hidden when the program
// starts at log-on.

#include "framework/TForm.h"

constexpr const char* kMainFormClass = "TMainForm";
constexpr const char* kMainFormCaption = "Pellix";

class TMainForm : public TForm {
public:
    explicit TMainForm(TComponent* owner);
    ~TMainForm() override;

    // Shows the window and brings it in front of the foreground window.
    void ShowMainWindow();
    // Brings a window to the foreground even when another process owns the
    // foreground, restoring it when minimised.
    static void ForceForeground(HWND window);

protected:
    void WndProc(TMessage& message) override;
};

// The main form created at start-up.
extern TMainForm* MainForm;
