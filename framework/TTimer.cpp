#include "framework/TTimer.h"

#include "framework/TApplication.h"

#include <stdexcept>

namespace {
constexpr const char* kHostClass = "TPTimerWindow";
}

TTimer::TTimer(TComponent* owner) : TComponent(owner)
{
    UpdateTimer();
}

TTimer::~TTimer()
{
    m_enabled = false;
    UpdateTimer();
}

void TTimer::SetEnabled(bool enabled)
{
    if (enabled == m_enabled)
        return;
    m_enabled = enabled;
    UpdateTimer();
}

void TTimer::SetInterval(unsigned interval)
{
    if (interval == m_interval)
        return;
    m_interval = interval;
    UpdateTimer();
}

// Every timer runs on one hidden message-only window, identified by its own
// address: a window of its own cost each timer some thirty wineserver round
// trips to create. The window is created by the first timer, on the thread
// that runs the message loop, and kept until the process ends, so that
// timers freed late (with the application's forms) can still stop.
HWND TTimer::HostWindow()
{
    static const HWND window = [] {
        HINSTANCE instance = GetModuleHandleA(nullptr);
        WNDCLASSEXA windowClass{};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.lpfnWndProc = &TTimer::HostProcedure;
        windowClass.hInstance = instance;
        windowClass.lpszClassName = kHostClass;
        RegisterClassExA(&windowClass);
        HWND handle = CreateWindowExA(0, kHostClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, nullptr);
        if (!handle)
            throw std::runtime_error("Cannot create the timer window");
        return handle;
    }();
    return window;
}

LRESULT CALLBACK TTimer::HostProcedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg != WM_TIMER)
        return DefWindowProcA(window, msg, wParam, lParam);
    // Ticks are made from live system timers when the queue is read, so a
    // stopped or freed timer gets none; m_running also drops a tick that
    // was already on its way when the timer was disabled.
    auto* timer = reinterpret_cast<TTimer*>(wParam);
    try {
        if (timer->m_running)
            timer->Timer();
    } catch (...) {
        Application().HandleException(std::current_exception());
    }
    return 0;
}

void TTimer::UpdateTimer()
{
    if (m_running) {
        KillTimer(HostWindow(), Id());
        m_running = false;
    }
    if (m_enabled && m_interval > 0)
        m_running = SetTimer(HostWindow(), Id(), m_interval, nullptr) != 0;
}

void TTimer::Timer()
{
    if (OnTimer)
        OnTimer(this);
}
