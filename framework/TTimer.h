#pragma once
// A timer component: while Enabled and Interval > 0, OnTimer fires every
// Interval milliseconds on the thread that runs the message loop. Enabling,
// disabling or changing the interval restarts the count.

#include "framework/TComponent.h"

#include <windows.h>

class TTimer : public TComponent {
public:
    explicit TTimer(TComponent* owner);
    ~TTimer() override;

    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool enabled);
    unsigned Interval() const { return m_interval; }
    void SetInterval(unsigned interval);

    TNotifyEvent OnTimer;

protected:
    // Fires OnTimer.
    virtual void Timer();

private:
    static HWND HostWindow();
    static LRESULT CALLBACK HostProcedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
    UINT_PTR Id() const { return reinterpret_cast<UINT_PTR>(this); }
    void UpdateTimer();

    bool m_enabled = true;
    unsigned m_interval = 1000;
    bool m_running = false;
};
