#include "screens/progress/ProgressWindow.h"

#include "kelp/System/Language.h"

#include <commctrl.h>

#include <memory>
#include <string>
#include <type_traits>

namespace {

constexpr UINT_PTR kTimerId = 1;
constexpr int kResultDone = 1;
constexpr int kResultCancelled = 2;
constexpr int kWidth = 400, kHeight = 150;

struct WindowDestroyer {
    void operator()(HWND window) const { DestroyWindow(window); }
};
using OwnedWindow = std::unique_ptr<std::remove_pointer_t<HWND>, WindowDestroyer>;

class ProgressWindow {
public:
    ProgressWindow(int steps, DWORD intervalMs, const std::function<void(int)>& step)
        : steps_(steps), intervalMs_(intervalMs), step_(step)
    {
    }

    int Run(HWND owner, const char* message);

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static bool RegisterClassOnce();
    void CreateChildren(HWND window, const char* message);
    void OnTimer();

    const int steps_;
    const DWORD intervalMs_;
    const std::function<void(int)>& step_;
    HWND window_ = nullptr;
    HWND bar_ = nullptr;
    int counter_ = 0;
    int result_ = 0;
};

bool ProgressWindow::RegisterClassOnce()
{
    static const bool registered = [] {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_PROGRESS_CLASS};
        InitCommonControlsEx(&controls);
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = Proc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        windowClass.lpszClassName = kProgressWindowClass;
        return RegisterClassA(&windowClass) != 0;
    }();
    return registered;
}

void ProgressWindow::CreateChildren(HWND window, const char* message)
{
    HINSTANCE instance = GetModuleHandleA(nullptr);
    HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    auto child = [&](const char* className, const char* text, DWORD style, int x, int y, int w, int h, int id) {
        HWND control = CreateWindowExA(0, className, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, window,
                                       reinterpret_cast<HMENU>(INT_PTR(id)), instance, nullptr);
        SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        return control;
    };
    if (message)
        child("STATIC", message, SS_LEFT, 16, 12, kWidth - 40, 20, 0);
    bar_ = child(PROGRESS_CLASSA, "", 0, 16, 40, kWidth - 40, 18, 0);
    SendMessageA(bar_, PBM_SETRANGE32, 0, 100);
    const std::string cancel = kelp::Translate("Cancel");
    child("BUTTON", cancel.c_str(), WS_TABSTOP | BS_DEFPUSHBUTTON, kWidth / 2 - 50, 72, 100, 26, IDCANCEL);
}

int ProgressWindow::Run(HWND owner, const char* message)
{
    if (steps_ <= 0)
        return kResultDone;
    if (!RegisterClassOnce())
        return kResultCancelled;
    OwnedWindow window(CreateWindowExA(WS_EX_DLGMODALFRAME | WS_EX_TOPMOST, kProgressWindowClass, "Pellix",
                                       WS_POPUP | WS_CAPTION | WS_SYSMENU, CW_USEDEFAULT, CW_USEDEFAULT, kWidth,
                                       kHeight, owner, nullptr, GetModuleHandleA(nullptr), this));
    if (!window)
        return kResultCancelled;
    window_ = window.get();
    CreateChildren(window_, message);

    // Modal: the owner takes no input until the window has gone. An owner
    // that was disabled already stays so.
    const bool ownerWasEnabled = owner && !EnableWindow(owner, FALSE);
    ShowWindow(window_, SW_SHOW);
    SetTimer(window_, kTimerId, intervalMs_, nullptr);
    MSG msg;
    while (!result_) {
        const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got <= 0) {
            if (got == 0)
                PostQuitMessage(int(msg.wParam)); // leave it for the outer loop
            result_ = kResultCancelled;
            break;
        }
        if (!IsDialogMessageA(window_, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    KillTimer(window_, kTimerId);
    // Re-enable the owner before the window goes so that it gets the focus back.
    if (ownerWasEnabled)
        EnableWindow(owner, TRUE);
    return result_;
}

void ProgressWindow::OnTimer()
{
    KillTimer(window_, kTimerId);
    if (result_)
        return;
    if (++counter_ > steps_) {
        result_ = kResultDone;
        return;
    }
    if (step_)
        step_(counter_);
    // The step may have let the Cancel button's click through.
    if (result_)
        return;
    SendMessageA(bar_, PBM_SETPOS, WPARAM(int64_t(counter_) * 100 / steps_), 0);
    SetTimer(window_, kTimerId, intervalMs_, nullptr);
}

LRESULT CALLBACK ProgressWindow::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<ProgressWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self) {
        switch (message) {
        case WM_TIMER:
            if (wParam == kTimerId) {
                self->OnTimer();
                return 0;
            }
            break;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDCANCEL) {
                self->result_ = kResultCancelled;
                return 0;
            }
            break;
        case WM_CLOSE:
            self->result_ = kResultCancelled;
            return 0;
        case WM_NCDESTROY:
            SetWindowLongPtrA(window, GWLP_USERDATA, 0);
            break;
        }
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

int ShowProgressWindow(HWND owner, int stepCount, DWORD durationMs, const std::function<void(int tick)>& step,
                       const char* message)
{
    // The window ticks every durationMs / stepCount; never faster than the
    // system timer allows.
    const DWORD interval = stepCount > 0 ? durationMs / DWORD(stepCount) : 0;
    ProgressWindow window(stepCount, interval < USER_TIMER_MINIMUM ? USER_TIMER_MINIMUM : interval, step);
    return window.Run(owner, message);
}
