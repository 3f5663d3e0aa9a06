#include "framework/THintWindow.h"

#include "framework/TWinControl.h"

namespace {

constexpr UINT_PTR kShowTimer = 1;
constexpr UINT_PTR kWatchTimer = 2;
constexpr UINT kWatchInterval = 100;
constexpr int kPadding = 3;

THintWindow* s_instance = nullptr;

// The control's area in screen coordinates.
RECT ScreenBounds(TControl* control)
{
    RECT bounds{0, 0, control->Width(), control->Height()};
    if (control->IsWindowed()) {
        auto* windowed = static_cast<TWinControl*>(control);
        if (windowed->HandleAllocated())
            GetWindowRect(windowed->Handle(), &bounds);
    } else if (control->Parent() && control->Parent()->HandleAllocated()) {
        bounds = control->BoundsRect();
        MapWindowPoints(control->Parent()->Handle(), HWND_DESKTOP, reinterpret_cast<POINT*>(&bounds), 2);
    }
    return bounds;
}

} // namespace

THintWindow::THintWindow()
    : m_window([this](TMessage& message) { return HandleMessage(message); }, "THintWindow", true)
{
    s_instance = this;
}

THintWindow::~THintWindow()
{
    if (s_instance == this)
        s_instance = nullptr;
}

void THintWindow::ControlDestroyed(TControl* control)
{
    if (s_instance && s_instance->m_control == control)
        s_instance->Cancel();
}

bool THintWindow::Showing() const
{
    return m_control && const_cast<TUtilityWindow&>(m_window).HandleAllocated() &&
           IsWindowVisible(const_cast<TUtilityWindow&>(m_window).Handle());
}

void THintWindow::MouseMovedOver(TControl* control)
{
    if (control == m_control)
        return;
    Cancel();
    if (control && control->ShowHint() && !control->Hint().empty()) {
        m_control = control;
        SetTimer(m_window.Handle(), kShowTimer, m_hintPause, nullptr);
    }
}

void THintWindow::Cancel()
{
    if (m_window.HandleAllocated()) {
        KillTimer(m_window.Handle(), kShowTimer);
        KillTimer(m_window.Handle(), kWatchTimer);
    }
    Hide();
    m_control = nullptr;
}

void THintWindow::Hide()
{
    if (m_window.HandleAllocated())
        ShowWindow(m_window.Handle(), SW_HIDE);
}

bool THintWindow::PointerOver(TControl* control) const
{
    POINT point;
    if (!GetCursorPos(&point))
        return false;
    const RECT bounds = ScreenBounds(control);
    return PtInRect(&bounds, point) != 0;
}

void THintWindow::ShowFor(TControl* control)
{
    HWND window = m_window.Handle();
    SetWindowTextA(window, control->Hint().c_str());
    HDC dc = GetDC(window);
    HGDIOBJ previous = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    RECT text{0, 0, 300, 0};
    DrawTextA(dc, control->Hint().c_str(), -1, &text, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    SelectObject(dc, previous);
    ReleaseDC(window, dc);

    POINT point;
    GetCursorPos(&point);
    SetWindowPos(window, HWND_TOPMOST, point.x, point.y + 20, text.right + 2 * kPadding, text.bottom + 2 * kPadding,
                 SWP_NOACTIVATE | SWP_SHOWWINDOW);
    InvalidateRect(window, nullptr, TRUE);
    m_shownAt = GetTickCount();
    SetTimer(window, kWatchTimer, kWatchInterval, nullptr);
}

void THintWindow::Paint()
{
    HWND window = m_window.Handle();
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT client;
    GetClientRect(window, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_INFOBK));
    FrameRect(dc, &client, GetSysColorBrush(COLOR_WINDOWFRAME));
    char text[1024] = {};
    GetWindowTextA(window, text, sizeof text);
    HGDIOBJ previous = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
    RECT area = client;
    InflateRect(&area, -kPadding, -kPadding);
    DrawTextA(dc, text, -1, &area, DT_WORDBREAK | DT_NOPREFIX);
    SelectObject(dc, previous);
    EndPaint(window, &paint);
}

bool THintWindow::HandleMessage(TMessage& message)
{
    switch (message.Msg) {
    case WM_TIMER:
        if (message.WParam == kShowTimer) {
            KillTimer(m_window.Handle(), kShowTimer);
            if (m_control && PointerOver(m_control))
                ShowFor(m_control);
            else
                m_control = nullptr;
        } else if (message.WParam == kWatchTimer) {
            if (!m_control || !PointerOver(m_control) || GetTickCount() - m_shownAt >= m_hintHidePause) {
                KillTimer(m_window.Handle(), kWatchTimer);
                Hide();
            }
        }
        return true;
    case WM_PAINT:
        Paint();
        return true;
    case WM_NCHITTEST:
        message.Result = HTTRANSPARENT;
        return true;
    default:
        return false;
    }
}
