#include "VtPackage/VtControl.h"

#include <algorithm>
#include <windowsx.h>

namespace {

bool IsPressKey(WORD key)
{
    return key == VK_SPACE || key == VK_RETURN;
}

} // namespace

VtControl::VtControl(TComponent* owner, bool clicksDisabled) : TWinControl(owner), m_clicksDisabled(clicksDisabled)
{
    SetControlStyle(ControlStyle() | csOpaque);
}

bool VtControl::HitTest(int x, int y)
{
    return x >= 0 && x < Width() && y >= 0 && y < Height();
}

TAccState VtControl::AccState() const
{
    return TWinControl::AccState() | (Pressed() ? asPressed : 0) | (m_managed ? TAccState(asUnavailable) : 0);
}

std::string VtControl::AccDescription() const
{
    return m_managed ? Hint() : TWinControl::AccDescription();
}

TFocusCuePlace VtControl::FocusCuePlace()
{
    // A shape that leaves out the corners well inside them is round.
    const int inset = std::min(Width(), Height()) / 8;
    const bool round = Width() > 0 && Height() > 0 && !HitTest(inset, inset);
    return {round ? TFocusCueShape::Ring : TFocusCueShape::Frame, RECT{0, 0, Width(), Height()}, false};
}

void VtControl::AccPerformDefaultAction()
{
    if (m_managed)
        ReportManagedClick();
    else if (!m_clicksDisabled && Enabled())
        Click();
}

void VtControl::SetManaged(bool managed, const std::string& hint)
{
    if (managed) {
        // A hint set by the screen meanwhile (its texts loaded late) is its own.
        if (!m_managed || Hint() != m_managedHint) {
            m_ownHint = Hint();
            m_ownShowHint = ShowHint();
        }
        if (!m_managed) {
            m_ownClicksDisabled = m_clicksDisabled;
            SetClicksDisabled(true);
            CancelHover();
        }
        m_managedHint = hint;
        SetHint(hint);
        SetShowHint(!hint.empty());
        m_managed = true;
        if (Enabled())
            ShowDisabled();
    } else if (m_managed) {
        m_managed = false;
        SetHint(m_ownHint);
        SetShowHint(m_ownShowHint);
        SetClicksDisabled(m_ownClicksDisabled);
        if (Enabled())
            Look(&VtControl::ShowRaised);
    }
    Invalidate();
}

void VtControl::ReportManagedClick()
{
    if (OnManagedClick)
        OnManagedClick(this);
}

// A managed control keeps its disabled look whatever the mouse, the keys
// and the focus do.
void VtControl::Look(void (VtControl::*look)())
{
    if (m_managed)
        ShowDisabled();
    else
        (this->*look)();
}

void VtControl::ShowReleased()
{
    if (Hot() || (m_focused && FocusCuesShown()))
        Look(&VtControl::ShowFocused);
    else
        Look(&VtControl::ShowRaised);
}

void VtControl::Press()
{
    if (!m_focused && TabStop() && CanFocus())
        SetFocus();
    Look(&VtControl::ShowSunken);
}

void VtControl::CancelPress()
{
    if (!Pressed())
        return;
    ShowReleased();
    m_keyPressed = false;
    m_mousePressed = false;
}

void VtControl::CancelHover()
{
    if (!m_hovering)
        return;
    m_hovering = false;
    if (!m_mousePressed && !m_focused && m_showMouseOver)
        Look(&VtControl::ShowRaised);
}

void VtControl::Enter(bool leftHeld)
{
    if (m_managed) {
        m_hovering = true;
        return;
    }
    if (leftHeld) {
        Press();
        m_mousePressed = true;
    } else if (m_showMouseOver && !m_focused) {
        Look(&VtControl::ShowFocused);
    }
    m_hovering = true;
    if (OnMouseEnter)
        OnMouseEnter(this);
}

void VtControl::Leave()
{
    m_hovering = false;
    if (m_managed)
        return;
    if (m_mousePressed) {
        // Leaving with the button held only releases the look; the exit
        // is not reported while the press lasts.
        m_mousePressed = false;
        if (!m_keyPressed)
            ShowReleased();
        return;
    }
    if (!m_focused && m_showMouseOver)
        Look(&VtControl::ShowRaised);
    if (OnMouseLeave)
        OnMouseLeave(this);
}

void VtControl::MouseLeft()
{
    if (m_hovering)
        Leave();
}

void VtControl::SetEnabled(bool enabled)
{
    if (enabled == Enabled())
        return;
    if (enabled) {
        Look(&VtControl::ShowRaised);
    } else {
        CancelPress();
        CancelHover();
        ShowDisabled();
    }
    TWinControl::SetEnabled(enabled);
}

void VtControl::SetShowMouseOver(bool show)
{
    if (show == m_showMouseOver)
        return;
    if (!show)
        CancelHover();
    m_showMouseOver = show;
}

void VtControl::SetClicksDisabled(bool disabled)
{
    if (disabled == m_clicksDisabled)
        return;
    if (disabled)
        CancelPress();
    m_clicksDisabled = disabled;
}

// A managed control's presses end here, before any subclass could turn
// them into a click, a check or a modal result; their release is reported.
bool VtControl::TakeManagedInput(const TMessage& message)
{
    switch (message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (TabStop() && CanFocus())
            SetFocus();
        return true;
    case WM_LBUTTONUP:
        if (HitTest(GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)))
            ReportManagedClick();
        return true;
    case WM_KEYDOWN:
        return IsPressKey(WORD(message.WParam));
    case WM_CHAR:
        return message.WParam == ' ' || message.WParam == '\r';
    case WM_KEYUP:
        if (!IsPressKey(WORD(message.WParam)))
            return false;
        ReportManagedClick();
        return true;
    default:
        return false;
    }
}

void VtControl::WndProc(TMessage& message)
{
    if (message.Msg == WM_MOUSELEAVE) {
        MouseLeft();
        return;
    }
    if (m_managed && TakeManagedInput(message)) {
        message.Result = 0;
        return;
    }
    TWinControl::WndProc(message);
}

void VtControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (button == TMouseButton::Left && !m_clicksDisabled && HitTest(x, y)) {
        m_mousePressed = true;
        if (!m_keyPressed)
            Press();
    }
    TWinControl::MouseDown(button, shift, x, y);
}

void VtControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    if (button == TMouseButton::Left && !m_clicksDisabled) {
        if (!m_keyPressed && m_mousePressed)
            ShowReleased();
        m_mousePressed = false;
    }
    TWinControl::MouseUp(button, shift, x, y);
}

void VtControl::MouseMove(TShiftState shift, int x, int y)
{
    if (m_showMouseOver || !m_clicksDisabled) {
        TRACKMOUSEEVENT track{};
        track.cbSize = sizeof(track);
        track.dwFlags = TME_LEAVE;
        track.hwndTrack = Handle();
        track.dwHoverTime = HOVER_DEFAULT;
        TrackMouseEvent(&track);
        const bool inside = HitTest(x, y);
        if (inside && !m_hovering)
            Enter((shift & ssLeft) != 0);
        else if (!inside && m_hovering)
            Leave();
    }
    TWinControl::MouseMove(shift, x, y);
}

void VtControl::DoEnter()
{
    m_focused = true;
    if (!Pressed() && !Hot() && FocusCuesShown())
        Look(&VtControl::ShowFocused);
    TWinControl::DoEnter();
}

void VtControl::FocusCuesChanged()
{
    if (m_focused && !Pressed())
        ShowReleased();
}

void VtControl::DoExit()
{
    m_focused = false;
    if (Pressed()) {
        if (!m_mousePressed) {
            ShowReleased();
            m_keyPressed = false;
        }
    } else if (!Hot()) {
        Look(&VtControl::ShowRaised);
    }
    TWinControl::DoExit();
}

void VtControl::KeyDown(WORD& key, TShiftState shift)
{
    if (!m_clicksDisabled && IsPressKey(key)) {
        m_keyPressed = true;
        if (!m_mousePressed)
            Press();
    }
    TWinControl::KeyDown(key, shift);
}

void VtControl::KeyUp(WORD& key, TShiftState shift)
{
    if (!m_clicksDisabled && IsPressKey(key) && !m_mousePressed) {
        if (m_keyPressed)
            ShowReleased();
        m_keyPressed = false;
    }
    TWinControl::KeyUp(key, shift);
}
