#include "framework/TTimer.h"

namespace {
constexpr UINT_PTR kTimerId = 1;
}

TTimer::TTimer(TComponent* owner)
    : TComponent(owner), m_window([this](TMessage& message) { return HandleMessage(message); })
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

void TTimer::UpdateTimer()
{
    if (m_running) {
        KillTimer(m_window.Handle(), kTimerId);
        m_running = false;
    }
    if (m_enabled && m_interval > 0)
        m_running = SetTimer(m_window.Handle(), kTimerId, m_interval, nullptr) != 0;
}

bool TTimer::HandleMessage(TMessage& message)
{
    if (message.Msg != WM_TIMER)
        return false;
    if (m_running)
        Timer();
    return true;
}

void TTimer::Timer()
{
    if (OnTimer)
        OnTimer(this);
}
