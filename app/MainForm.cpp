#include "app/MainForm.h"

#include "app/PrivateMessages.h"
#include "framework/TApplication.h"

TMainForm* MainForm = nullptr;

namespace {

constexpr int kInitialWidth = 520;
constexpr int kInitialHeight = 360;

} // namespace

TMainForm::TMainForm(TComponent* owner) : TForm(owner)
{
    SetName("MainForm");
    SetCaption(kMainFormCaption);
    SetBorderStyle(TBorderStyle::Single);
    const int left = (GetSystemMetrics(SM_CXSCREEN) - kInitialWidth) / 2;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - kInitialHeight) / 2;
    SetBounds(left > 0 ? left : 0, top > 0 ? top : 0, kInitialWidth, kInitialHeight);
    // Other instances and programs address the window while it is hidden.
    HandleNeeded();
}

TMainForm::~TMainForm()
{
    Destroying();
    if (MainForm == this)
        MainForm = nullptr;
}

void TMainForm::WndProc(TMessage& message)
{
    if (message.WParam == kMessageTag) {
        switch (message.Msg) {
        case kMsgExit:
            Close();
            return;
        case kMsgShowMainWindow:
            ShowMainWindow();
            return;
        default:
            break;
        }
    }
    TForm::WndProc(message);
}

void TMainForm::ShowMainWindow()
{
    Show();
    Application().Restore();
    ForceForeground(Handle());
}

void TMainForm::ForceForeground(HWND window)
{
    if (IsIconic(window))
        ShowWindow(window, SW_RESTORE);

    const DWORD ownThread = GetWindowThreadProcessId(window, nullptr);
    const DWORD foregroundThread = GetWindowThreadProcessId(GetForegroundWindow(), nullptr);
    if (ownThread != foregroundThread) {
        AttachThreadInput(foregroundThread, ownThread, TRUE);
        AllowSetForegroundWindow(ASFW_ANY);
        SetForegroundWindow(window);
        BringWindowToTop(window);
        AttachThreadInput(foregroundThread, ownThread, FALSE);
    }

    if (GetForegroundWindow() != window) {
        // The system refuses foreground changes within its lock time-out;
        // lift it for the moment of the change.
        DWORD lockTimeout = 0;
        SystemParametersInfoA(SPI_GETFOREGROUNDLOCKTIMEOUT, 0, &lockTimeout, 0);
        SystemParametersInfoA(SPI_SETFOREGROUNDLOCKTIMEOUT, 0, nullptr, SPIF_SENDCHANGE);
        BringWindowToTop(window);
        SetForegroundWindow(window);
        SystemParametersInfoA(SPI_SETFOREGROUNDLOCKTIMEOUT, 0, reinterpret_cast<void*>(static_cast<uintptr_t>(lockTimeout)),
                              SPIF_SENDCHANGE);
    }

    ShowWindow(window, IsIconic(window) ? SW_RESTORE : SW_SHOW);
}
