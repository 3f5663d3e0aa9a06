#pragma once
// A timer component: while Enabled and Interval > 0, OnTimer fires every
// Interval milliseconds on the thread that runs the message loop. Each timer
// has its own hidden window. Enabling, disabling or changing the interval
// restarts the count.

#include "framework/TComponent.h"
#include "framework/TUtilityWindow.h"

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
    void UpdateTimer();
    bool HandleMessage(TMessage& message);

    TUtilityWindow m_window;
    bool m_enabled = true;
    unsigned m_interval = 1000;
    bool m_running = false;
};
