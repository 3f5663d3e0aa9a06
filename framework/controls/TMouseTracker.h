#pragma once
// Mouse enter and leave notifications for a windowed control: the first
// mouse move over the window fires OnMouseEnter and asks the system for a
// one-shot leave notification (TrackMouseEvent), whose WM_MOUSELEAVE fires
// OnMouseLeave. Hooks the control's window procedure and passes every
// message on.

#include "framework/TWinControl.h"

class TMouseTracker {
public:
    TMouseTracker() = default;
    ~TMouseTracker() { Detach(); }
    TMouseTracker(const TMouseTracker&) = delete;
    TMouseTracker& operator=(const TMouseTracker&) = delete;

    // The control must outlive the tracker or be detached first.
    void Attach(TWinControl* control);
    void Detach();
    bool Inside() const { return m_inside; }

    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;

private:
    void Handle(TMessage& message);

    TWinControl* m_control = nullptr;
    TWndMethod m_previous;
    bool m_inside = false;
};
