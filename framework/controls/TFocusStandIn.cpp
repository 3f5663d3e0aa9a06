#include "framework/controls/TFocusStandIn.h"

TFocusStandIn::TFocusStandIn(TComponent* owner, TAccRole role, Parts parts) : TWinControl(owner), m_parts(std::move(parts))
{
    SetAccRole(role);
    SetTabStop(true);
    SetColor(clNone);
}

void TFocusStandIn::HandleCreated()
{
    // No pixel of the window shows or takes the mouse.
    SetWindowRgn(Handle(), CreateRectRgn(0, 0, 0, 0), FALSE);
    TWinControl::HandleCreated();
}

TFocusCuePlace TFocusStandIn::FocusCuePlace()
{
    if (!m_parts.cue)
        return {};
    return {TFocusCueShape::Frame, m_parts.cue(), true};
}

void TFocusStandIn::KeyDown(WORD& key, TShiftState shift)
{
    if (m_parts.key && m_parts.key(key, shift))
        key = 0;
    else
        TWinControl::KeyDown(key, shift);
}
