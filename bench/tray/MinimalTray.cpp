// The floor for the tray figures: the least a Win32 program does to sit in
// the tray. A hidden top-level window, one notification icon, two 5 s
// timers like the program's own, and a blocking message loop. Its window is
// class "MinimalTray" captioned "MinimalTray"; message 1024 with wParam 85
// ends it, as it ends the program.

#include <windows.h>
#include <shellapi.h>

namespace {
constexpr UINT kTrayMessage = WM_APP + 1;
constexpr UINT kExitMessage = WM_USER;
constexpr WPARAM kTag = 85;
constexpr UINT_PTR kFirstTimer = 1, kSecondTimer = 2;
constexpr UINT kTimerMs = 5000;

NOTIFYICONDATAA IconData(HWND window)
{
    NOTIFYICONDATAA data{};
    data.cbSize = sizeof data;
    data.hWnd = window;
    data.uID = 1;
    data.uFlags = NIF_ICON | NIF_MESSAGE | NIF_TIP;
    data.uCallbackMessage = kTrayMessage;
    data.hIcon = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
    lstrcpynA(data.szTip, "MinimalTray", sizeof data.szTip);
    return data;
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case kExitMessage:
        if (wParam == kTag)
            DestroyWindow(window);
        return 0;
    case WM_DESTROY: {
        NOTIFYICONDATAA data = IconData(window);
        Shell_NotifyIconA(NIM_DELETE, &data);
        PostQuitMessage(0);
        return 0;
    }
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}
} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = "MinimalTray";
    if (!RegisterClassA(&windowClass))
        return 1;
    HWND window = CreateWindowExA(0, "MinimalTray", "MinimalTray", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr,
                                  instance, nullptr);
    if (!window)
        return 1;
    NOTIFYICONDATAA data = IconData(window);
    Shell_NotifyIconA(NIM_ADD, &data);
    SetTimer(window, kFirstTimer, kTimerMs, nullptr);
    SetTimer(window, kSecondTimer, kTimerMs, nullptr);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
