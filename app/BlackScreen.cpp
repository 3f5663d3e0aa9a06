#include "app/BlackScreen.h"

#include "kelp/System/Trace.h"

#include <windows.h>

namespace {
constexpr const char* kWindowClass = "PellixBlackScreen";
constexpr UINT_PTR kInputCheck = 1;
constexpr UINT kInputCheckMs = 250;

DWORD LastInputTick()
{
    LASTINPUTINFO info{sizeof info, 0};
    return GetLastInputInfo(&info) ? info.dwTime : 0;
}

class PlainBlackScreen final : public BlackScreen {
public:
    void Show() override
    {
        if (window_ && IsWindow(window_))
            return;
        RegisterClassOnce();
        // Input is recognised by the system's last-input time moving on,
        // which a window appearing under the cursor does not change.
        shownAtInput_ = LastInputTick();
        window_ = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kWindowClass, "", WS_POPUP,
                                  GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                                  GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN), nullptr,
                                  nullptr, GetModuleHandleA(nullptr), this);
        if (!window_) {
            kelp::Trace("~~~[BlackScreen] window not created (%lu)", GetLastError());
            return;
        }
        ShowWindow(window_, SW_SHOW);
        SetTimer(window_, kInputCheck, kInputCheckMs, nullptr);
    }

private:
    static void RegisterClassOnce()
    {
        static const bool registered = [] {
            WNDCLASSA windowClass{};
            windowClass.lpfnWndProc = &PlainBlackScreen::WindowProc;
            windowClass.hInstance = GetModuleHandleA(nullptr);
            windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
            windowClass.hCursor = nullptr;
            windowClass.lpszClassName = kWindowClass;
            return RegisterClassA(&windowClass) != 0;
        }();
        (void)registered;
    }

    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_NCCREATE)
            SetWindowLongPtrA(window, GWLP_USERDATA,
                              LONG_PTR(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
        auto* self = reinterpret_cast<PlainBlackScreen*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        switch (message) {
        case WM_TIMER:
            if (wParam == kInputCheck && self && LastInputTick() != self->shownAtInput_)
                DestroyWindow(window);
            return 0;
        case WM_KEYDOWN:
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
            DestroyWindow(window);
            return 0;
        case WM_DESTROY:
            KillTimer(window, kInputCheck);
            if (self)
                self->window_ = nullptr;
            return 0;
        default:
            return DefWindowProcA(window, message, wParam, lParam);
        }
    }

    HWND window_ = nullptr;
    DWORD shownAtInput_ = 0;
};

BlackScreen* plugged = nullptr;
} // namespace

BlackScreen& CurrentBlackScreen()
{
    static PlainBlackScreen plain;
    return plugged ? *plugged : plain;
}

void PlugBlackScreen(BlackScreen* screen)
{
    plugged = screen;
}
