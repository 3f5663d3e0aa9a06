#include "framework/TControl.h"

#include "framework/THintWindow.h"
#include "framework/TWinControl.h"

HCURSOR CursorHandle(TCursor cursor)
{
    switch (cursor) {
    case crArrow:
        return LoadCursorA(nullptr, IDC_ARROW);
    case crIBeam:
        return LoadCursorA(nullptr, IDC_IBEAM);
    case crHourGlass:
        return LoadCursorA(nullptr, IDC_WAIT);
    case crHandPoint:
        return LoadCursorA(nullptr, IDC_HAND);
    case crNone:
    case crDefault:
        break;
    }
    return nullptr;
}

TControl::TControl(TComponent* owner) : TComponent(owner) {}

TControl::~TControl()
{
    AccDetach();
    Destroying();
    THintWindow::ControlDestroyed(this);
    SetParent(nullptr);
}

void TControl::SetParent(TWinControl* parent)
{
    if (parent == m_parent)
        return;
    if (m_parent) {
        if (!IsWindowed())
            Invalidate();
        m_parent->RemoveControl(this);
    }
    m_parent = parent;
    if (m_parent) {
        m_parent->InsertControl(this);
        if (!IsWindowed())
            Invalidate();
    }
}

void TControl::BringToFront()
{
    if (!m_parent)
        return;
    m_parent->RemoveControl(this);
    m_parent->InsertControl(this);
    Invalidate();
}

void TControl::SetBounds(int left, int top, int width, int height)
{
    if ((width != m_width || height != m_height) && !CanResize(width, height)) {
        width = m_width;
        height = m_height;
    }
    if (left == m_left && top == m_top && width == m_width && height == m_height)
        return;
    if (!IsWindowed())
        Invalidate();
    const bool resized = width != m_width || height != m_height;
    m_left = left;
    m_top = top;
    m_width = width;
    m_height = height;
    BoundsChanged();
    if (resized)
        Resize();
}

void TControl::UpdateBounds(int left, int top, int width, int height)
{
    if (left == m_left && top == m_top && width == m_width && height == m_height)
        return;
    const bool resized = width != m_width || height != m_height;
    m_left = left;
    m_top = top;
    m_width = width;
    m_height = height;
    if (resized)
        Resize();
}

bool TControl::Showing() const
{
    return m_visible && (!m_parent || m_parent->Showing());
}

void TControl::SetVisible(bool visible)
{
    if (visible == m_visible)
        return;
    m_visible = visible;
    VisibleChanged();
}

void TControl::SetEnabled(bool enabled)
{
    if (enabled == m_enabled)
        return;
    m_enabled = enabled;
    EnabledChanged();
    Invalidate();
    if (m_accRole != TAccRole::None)
        AccNotify(EVENT_OBJECT_STATECHANGE);
}

void TControl::SetCaption(const std::string& caption)
{
    if (caption == m_caption)
        return;
    m_caption = caption;
    CaptionChanged();
    if (m_accRole != TAccRole::None)
        AccNotify(m_accName ? EVENT_OBJECT_VALUECHANGE : EVENT_OBJECT_NAMECHANGE);
}

void TControl::SetColor(TColor color)
{
    if (color == m_color)
        return;
    m_color = color;
    ColorChanged();
}

// A hidden window is painted whole when it is shown, so invalidating it
// only costs a server round trip; forms invalidate their controls many
// times while they are built hidden.
bool TControl::ParentShowing() const
{
    return m_parent && m_parent->HandleAllocated() && IsWindowVisible(m_parent->Handle());
}

void TControl::Invalidate()
{
    if (ParentShowing()) {
        const RECT bounds = BoundsRect();
        InvalidateRect(m_parent->Handle(), &bounds, !(m_controlStyle & csOpaque));
    }
}

void TControl::Repaint()
{
    Invalidate();
    if (m_parent && m_parent->HandleAllocated())
        UpdateWindow(m_parent->Handle());
}

void TControl::Paint(HDC) {}

void TControl::BoundsChanged()
{
    Invalidate();
}

void TControl::VisibleChanged()
{
    // A windowless control appears or disappears by repainting its area.
    if (ParentShowing()) {
        const RECT bounds = BoundsRect();
        InvalidateRect(m_parent->Handle(), &bounds, TRUE);
    }
}

void TControl::Resize()
{
    if (OnResize)
        OnResize(this);
}

bool TControl::CanResize(int&, int&)
{
    return true;
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (OnMouseDown)
        OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    if (OnMouseUp)
        OnMouseUp(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y)
{
    if (OnMouseMove)
        OnMouseMove(this, shift, x, y);
}

void TControl::Click()
{
    if (OnClick)
        OnClick(this);
}

void TControl::DblClick()
{
    if (OnDblClick)
        OnDblClick(this);
}

void TControl::DispatchMouseDown(TMouseButton button, TShiftState shift, int x, int y, bool doubleClick)
{
    // A control that takes no double clicks sees the second press of a
    // quick pair as an ordinary press, so it clicks twice.
    doubleClick = doubleClick && (m_controlStyle & csDoubleClicks);
    if (button == TMouseButton::Left) {
        m_clickPending = (m_controlStyle & csClickEvents) && !doubleClick;
        if (doubleClick)
            DblClick();
    }
    MouseDown(button, doubleClick ? shift | ssDouble : shift, x, y);
}

void TControl::DispatchMouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    if (button == TMouseButton::Left) {
        const bool inside = x >= 0 && y >= 0 && x < m_width && y < m_height;
        const bool click = m_clickPending && inside;
        m_clickPending = false;
        if (click)
            Click();
    }
    MouseUp(button, shift, x, y);
}

std::string TControl::AccName() const
{
    if (m_accName)
        return m_accName();
    // A caption's '&' marks the mnemonic; "&&" stands for an ampersand.
    std::string name;
    for (size_t i = 0; i < m_caption.size(); ++i) {
        if (m_caption[i] == '&' && ++i == m_caption.size())
            break;
        name += m_caption[i];
    }
    return name;
}

TAccState TControl::AccState() const
{
    TAccState state = 0;
    if (!Enabled())
        state |= asUnavailable;
    if (!Showing())
        state |= asInvisible;
    return state;
}

std::string TControl::AccDescription() const
{
    return m_showHint ? m_hint : std::string();
}

RECT TControl::AccScreenRect() const
{
    RECT rect = BoundsRect();
    if (m_parent && m_parent->m_handle) {
        POINT origin{0, 0};
        ClientToScreen(m_parent->m_handle, &origin);
        OffsetRect(&rect, origin.x, origin.y);
    }
    return rect;
}

TAccessible* TControl::AccParent() const
{
    for (TWinControl* parent = m_parent; parent; parent = parent->Parent())
        if (parent->AccRole() != TAccRole::None)
            return parent;
    return nullptr;
}

HWND TControl::AccEventWindow(LONG& childId) const
{
    auto* parent = static_cast<TWinControl*>(AccParent());
    if (!parent || !parent->m_handle)
        return nullptr;
    const auto siblings = parent->AccChildren();
    for (size_t i = 0; i < siblings.size(); ++i)
        if (siblings[i] == this) {
            childId = static_cast<LONG>(i + 1);
            return parent->m_handle;
        }
    return nullptr;
}
