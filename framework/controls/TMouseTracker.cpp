#include "framework/controls/TMouseTracker.h"

void TMouseTracker::Attach(TWinControl* control)
{
    Detach();
    m_control = control;
    m_previous = control->WindowProc();
    control->SetWindowProc([this](TMessage& message) { Handle(message); });
}

void TMouseTracker::Detach()
{
    if (!m_control)
        return;
    m_control->SetWindowProc(std::move(m_previous));
    m_previous = nullptr;
    m_control = nullptr;
    m_inside = false;
}

void TMouseTracker::Handle(TMessage& message)
{
    // Kept: a handler below may detach the tracker.
    TWinControl* control = m_control;
    TWndMethod previous = m_previous;
    if (message.Msg == WM_MOUSEMOVE && !m_inside) {
        TRACKMOUSEEVENT track{};
        track.cbSize = sizeof(track);
        track.dwFlags = TME_LEAVE;
        track.hwndTrack = control->Handle();
        track.dwHoverTime = HOVER_DEFAULT;
        TrackMouseEvent(&track);
        m_inside = true;
        if (OnMouseEnter)
            OnMouseEnter(control);
    } else if (message.Msg == WM_MOUSELEAVE && m_inside) {
        m_inside = false;
        if (OnMouseLeave)
            OnMouseLeave(control);
    }
    previous(message);
}
