#include "framework/TWinControl.h"

#include "framework/FrameworkMessages.h"
#include "framework/FocusNavigation.h"
#include "framework/TApplication.h"
#include "framework/TForm.h"
#include "framework/access/TAccessibleObject.h"

#include <algorithm>
#include <stdexcept>
#include <windowsx.h>

namespace {

// The control whose window CreateWindowExA is making: it receives the
// messages that arrive before WM_NCCREATE hands over the pointer.
thread_local TWinControl* t_creating = nullptr;

void RegisterWindowClass(const TCreateParams& params, WNDPROC procedure)
{
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSEXA existing{};
    existing.cbSize = sizeof(existing);
    if (GetClassInfoExA(instance, params.WinClassName.c_str(), &existing))
        return;
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = params.ClassStyle;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = params.Icon;
    windowClass.hCursor = params.Cursor ? params.Cursor : LoadCursorA(nullptr, IDC_ARROW);
    windowClass.lpszClassName = params.WinClassName.c_str();
    if (!RegisterClassExA(&windowClass))
        throw std::runtime_error("Cannot register window class " + params.WinClassName);
}

} // namespace

TWinControl::TWinControl(TComponent* owner) : TControl(owner)
{
    m_windowProc = [this](TMessage& message) { WndProc(message); };
}

TWinControl::~TWinControl()
{
    Destroying();
    for (TControl* control : m_controls)
        control->m_parent = nullptr;
    m_controls.clear();
    m_captureControl = nullptr;
    if (m_handle) {
        // The derived parts are gone: the window's last messages get the
        // system's default handling only.
        HWND window = m_handle;
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        m_handle = nullptr;
        DestroyWindow(window);
    }
}

HWND TWinControl::Handle()
{
    if (!m_handle)
        CreateWnd();
    return m_handle;
}

void TWinControl::DestroyHandle()
{
    if (m_handle)
        DestroyWindow(m_handle);
}

void TWinControl::CreateParams(TCreateParams& params)
{
    params.WinClassName = ClassName();
    params.Caption = Caption();
    params.Style = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    if (Visible())
        params.Style |= WS_VISIBLE;
    if (!Enabled())
        params.Style |= WS_DISABLED;
    params.X = Left();
    params.Y = Top();
    params.Width = Width();
    params.Height = Height();
    // Only CreateWnd needs the parent's window, and it makes sure it exists;
    // asking for the styles alone must not create it.
    if (Parent())
        params.WndParent = Parent()->HandleAllocated() ? Parent()->Handle() : nullptr;
    else
        params.WndParent = m_parentWindow;
}

void TWinControl::CreateWnd()
{
    if (Parent()) {
        // The parent makes its children's windows, this one among them.
        Parent()->CreateChildHandles();
        if (m_handle)
            return;
    }
    TCreateParams params;
    CreateParams(params);
    if ((params.Style & WS_CHILD) && !params.WndParent)
        throw std::runtime_error("Control '" + Name() + "' has no parent window");
    RegisterWindowClass(params, &TWinControl::StandardWndProc);

    TWinControl* outer = t_creating;
    t_creating = this;
    HWND window = CreateWindowExA(params.ExStyle, params.WinClassName.c_str(), params.Caption.c_str(),
                                  params.Style, params.X, params.Y, params.Width, params.Height,
                                  params.WndParent, nullptr, GetModuleHandleA(nullptr), nullptr);
    t_creating = outer;
    if (!window)
        throw std::runtime_error("Cannot create window " + params.WinClassName);
    m_handle = window;
    SyncBounds();
    if (!DefersChildHandles())
        CreateChildHandles();
    HandleCreated();
}

void TWinControl::CreateChildHandles()
{
    HandleNeeded();
    if (m_childHandlesCreated)
        return;
    m_childHandlesCreated = true;
    for (TControl* control : m_controls)
        if (control->IsWindowed())
            static_cast<TWinControl*>(control)->HandleNeeded();
}

LRESULT CALLBACK TWinControl::StandardWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto* control = reinterpret_cast<TWinControl*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!control && t_creating && !t_creating->m_handle) {
        control = t_creating;
        control->m_handle = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(control));
    }
    if (!control)
        return DefWindowProcA(window, msg, wParam, lParam);
    if (msg == CM_RELEASE) {
        delete control;
        return 0;
    }

    TMessage message{msg, wParam, lParam, 0};
    try {
        control->m_windowProc(message);
    } catch (...) {
        // Exceptions never unwind through the system's window code.
        Application().HandleException(std::current_exception());
    }
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        control->m_handle = nullptr;
        control->m_childHandlesCreated = false;
        control->m_captureControl = nullptr;
    }
    return message.Result;
}

LRESULT TWinControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam)
{
    TMessage message{msg, wParam, lParam, 0};
    m_windowProc(message);
    return message.Result;
}

void TWinControl::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_PAINT:
        HandlePaint();
        return;
    case WM_ERASEBKGND:
        if (!m_doubleBuffered)
            EraseBackground(reinterpret_cast<HDC>(message.WParam));
        message.Result = 1;
        return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        RouteMouseDown(message, TMouseButton::Left, message.Msg == WM_LBUTTONDBLCLK);
        return;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
        RouteMouseDown(message, TMouseButton::Right, message.Msg == WM_RBUTTONDBLCLK);
        return;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
        RouteMouseDown(message, TMouseButton::Middle, message.Msg == WM_MBUTTONDBLCLK);
        return;
    case WM_LBUTTONUP:
        RouteMouseUp(message, TMouseButton::Left);
        return;
    case WM_RBUTTONUP:
        RouteMouseUp(message, TMouseButton::Right);
        return;
    case WM_MBUTTONUP:
        RouteMouseUp(message, TMouseButton::Middle);
        return;
    case WM_MOUSEMOVE:
        RouteMouseMove(message);
        return;
    case WM_CAPTURECHANGED:
        m_captureControl = nullptr;
        break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP: {
        WORD key = static_cast<WORD>(message.WParam);
        if (message.Msg == WM_KEYDOWN || message.Msg == WM_SYSKEYDOWN)
            KeyDown(key, KeyboardShiftState());
        else
            KeyUp(key, KeyboardShiftState());
        if (key == 0)
            return;
        if (message.Msg == WM_KEYDOWN && Navigate(key, KeyboardShiftState()))
            return;
        if (message.Msg == WM_KEYDOWN || message.Msg == WM_SYSKEYDOWN)
            switch (key) {
            case VK_TAB: case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN:
            case VK_PRIOR: case VK_NEXT: case VK_HOME: case VK_END: case VK_MENU:
                ChangeFocusCues(true);
                break;
            default:
                break;
            }
        break;
    }
    case WM_CHANGEUISTATE: {
        // The top-level window decides and tells everyone below it.
        if (Parent() && Parent()->m_handle) {
            SendMessageA(Parent()->m_handle, WM_CHANGEUISTATE, message.WParam, message.LParam);
            return;
        }
        const WORD action = LOWORD(message.WParam), flags = HIWORD(message.WParam);
        const WORD state = action == UIS_SET ? (m_uiState | flags) : action == UIS_CLEAR ? (m_uiState & ~flags) : m_uiState;
        if (state != m_uiState)
            SendMessageA(m_handle, WM_UPDATEUISTATE, message.WParam, message.LParam);
        return;
    }
    case WM_UPDATEUISTATE: {
        const WORD action = LOWORD(message.WParam), flags = HIWORD(message.WParam);
        if (action == UIS_SET)
            m_uiState |= flags;
        else if (action == UIS_CLEAR)
            m_uiState &= ~flags;
        for (TControl* control : m_controls)
            if (control->IsWindowed() && static_cast<TWinControl*>(control)->m_handle)
                SendMessageA(static_cast<TWinControl*>(control)->m_handle, WM_UPDATEUISTATE, message.WParam,
                             message.LParam);
        if (Focused())
            InvalidateFocusCue();
        FocusCuesChanged();
        return;
    }
    case WM_QUERYUISTATE:
        message.Result = m_uiState;
        return;
    case WM_CHAR: {
        char key = static_cast<char>(message.WParam);
        KeyPress(key);
        if (key == 0)
            return;
        break;
    }
    case WM_SETFOCUS:
        InvalidateFocusCue();
        DoEnter();
        if (AccRole() != TAccRole::None)
            AccNotify(EVENT_OBJECT_FOCUS);
        break;
    case WM_GETOBJECT:
        // Built only now: a program nobody inspects pays nothing.
        if (static_cast<LONG>(static_cast<DWORD>(message.LParam)) == OBJID_CLIENT && AccRole() != TAccRole::None) {
            message.Result = AccServeClient(*this, message.WParam);
            if (message.Result)
                return;
        }
        break;
    case CM_ACCDEFAULTACTION:
        if (CanFocus())
            AccPerformDefaultAction();
        return;
    case WM_KILLFOCUS:
        InvalidateFocusCue();
        DoExit();
        break;
    case WM_SHOWWINDOW:
        if (message.LParam == 0)
            UpdateVisible(message.WParam != 0);
        break;
    case WM_WINDOWPOSCHANGING: {
        auto* position = reinterpret_cast<WINDOWPOS*>(message.LParam);
        if (!(position->flags & SWP_NOSIZE)) {
            int width = position->cx;
            int height = position->cy;
            if (!CanResize(width, height)) {
                position->flags |= SWP_NOSIZE;
            } else {
                position->cx = width;
                position->cy = height;
            }
        }
        break;
    }
    case WM_SETCURSOR:
        if (reinterpret_cast<HWND>(message.WParam) == m_handle && LOWORD(message.LParam) == HTCLIENT) {
            POINT point;
            GetCursorPos(&point);
            ScreenToClient(m_handle, &point);
            TControl* control = ControlAtPos(point.x, point.y);
            const TCursor cursor = control && control->Cursor() != crDefault ? control->Cursor() : Cursor();
            if (cursor != crDefault) {
                ::SetCursor(CursorHandle(cursor));
                message.Result = TRUE;
                return;
            }
        }
        break;
    case WM_WINDOWPOSCHANGED: {
        const auto* position = reinterpret_cast<const WINDOWPOS*>(message.LParam);
        if ((position->flags & (SWP_NOSIZE | SWP_NOMOVE)) != (SWP_NOSIZE | SWP_NOMOVE))
            SyncBounds();
        break;
    }
    case WM_SETTEXT:
        DefaultHandler(message);
        if (message.LParam)
            UpdateCaption(reinterpret_cast<const char*>(message.LParam));
        return;
    default:
        break;
    }
    DefaultHandler(message);
}

void TWinControl::DefaultHandler(TMessage& message)
{
    if (m_handle)
        message.Result = DefWindowProcA(m_handle, message.Msg, message.WParam, message.LParam);
}

void TWinControl::SyncBounds()
{
    if (!m_handle || IsIconic(m_handle))
        return;
    RECT rect;
    GetWindowRect(m_handle, &rect);
    if (GetWindowLongA(m_handle, GWL_STYLE) & WS_CHILD)
        MapWindowPoints(HWND_DESKTOP, GetParent(m_handle), reinterpret_cast<POINT*>(&rect), 2);
    UpdateBounds(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
}

void TWinControl::SetParent(TWinControl* parent)
{
    TControl::SetParent(parent);
    if (m_handle) {
        if (parent)
            ::SetParent(m_handle, parent->Handle());
        else if (!m_parentWindow)
            DestroyHandle();
    } else if (parent && parent->ChildHandlesCreated()) {
        HandleNeeded();
    }
}

void TWinControl::BringToFront()
{
    TControl::BringToFront();
    if (m_handle)
        SetWindowPos(m_handle, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TWinControl::InsertControl(TControl* control)
{
    m_controls.push_back(control);
}

void TWinControl::RemoveControl(TControl* control)
{
    m_controls.erase(std::remove(m_controls.begin(), m_controls.end(), control), m_controls.end());
    if (m_captureControl == control)
        m_captureControl = nullptr;
}

TControl* TWinControl::ControlAtPos(int x, int y) const
{
    for (auto it = m_controls.rbegin(); it != m_controls.rend(); ++it) {
        TControl* control = *it;
        if (control->IsWindowed() || !control->Visible() || !control->Enabled())
            continue;
        if (x >= control->Left() && y >= control->Top() && x < control->Left() + control->Width()
            && y < control->Top() + control->Height())
            return control;
    }
    return nullptr;
}

int TWinControl::ClientWidth() const
{
    if (m_handle) {
        RECT rect;
        GetClientRect(m_handle, &rect);
        return rect.right;
    }
    TCreateParams params;
    const_cast<TWinControl*>(this)->CreateParams(params);
    RECT frame{0, 0, 0, 0};
    AdjustWindowRectEx(&frame, params.Style, FALSE, params.ExStyle);
    return Width() - (frame.right - frame.left);
}

int TWinControl::ClientHeight() const
{
    if (m_handle) {
        RECT rect;
        GetClientRect(m_handle, &rect);
        return rect.bottom;
    }
    TCreateParams params;
    const_cast<TWinControl*>(this)->CreateParams(params);
    RECT frame{0, 0, 0, 0};
    AdjustWindowRectEx(&frame, params.Style, FALSE, params.ExStyle);
    return Height() - (frame.bottom - frame.top);
}

void TWinControl::Invalidate()
{
    // A hidden window is painted whole when it is shown.
    if (m_handle && IsWindowVisible(m_handle))
        InvalidateRect(m_handle, nullptr, !(ControlStyle() & csOpaque));
}

void TWinControl::Repaint()
{
    Invalidate();
    Update();
}

void TWinControl::Update()
{
    if (m_handle)
        UpdateWindow(m_handle);
}

bool TWinControl::Focused() const
{
    return m_handle && GetFocus() == m_handle;
}

void TWinControl::SetFocus()
{
    ::SetFocus(Handle());
}

void TWinControl::HandlePaint()
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(m_handle, &paint);
    if (m_doubleBuffered) {
        RECT client;
        GetClientRect(m_handle, &client);
        HDC memory = CreateCompatibleDC(dc);
        HBITMAP bitmap = CreateCompatibleBitmap(dc, std::max<LONG>(client.right, 1), std::max<LONG>(client.bottom, 1));
        HGDIOBJ previous = SelectObject(memory, bitmap);
        EraseBackground(memory);
        PaintWindow(memory);
        PaintControls(memory, paint.rcPaint);
        PaintFocusCues(memory);
        const RECT& area = paint.rcPaint;
        BitBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, memory, area.left, area.top,
               SRCCOPY);
        SelectObject(memory, previous);
        DeleteObject(bitmap);
        DeleteDC(memory);
    } else {
        PaintWindow(dc);
        PaintControls(dc, paint.rcPaint);
        PaintFocusCues(dc);
    }
    EndPaint(m_handle, &paint);
}

void TWinControl::PaintControls(HDC dc, const RECT& area)
{
    for (TControl* control : m_controls) {
        if (control->IsWindowed() || !control->Visible())
            continue;
        const RECT bounds = control->BoundsRect();
        RECT overlap;
        if (!IntersectRect(&overlap, &bounds, &area))
            continue;
        const int saved = SaveDC(dc);
        OffsetViewportOrgEx(dc, bounds.left, bounds.top, nullptr);
        IntersectClipRect(dc, 0, 0, control->Width(), control->Height());
        control->Paint(dc);
        RestoreDC(dc, saved);
    }
}

void TWinControl::PaintFocusCues(HDC dc)
{
    const HWND focus = GetFocus();
    if (!focus || (focus != m_handle && GetParent(focus) != m_handle) || !FocusCuesShown())
        return;
    if (focus == m_handle) {
        const TFocusCuePlace place = FocusCuePlace();
        if (!place.onParent)
            PaintFocusCue(dc, place.rect, place.shape);
        return;
    }
    for (TControl* control : m_controls)
        if (control->IsWindowed() && static_cast<TWinControl*>(control)->m_handle == focus) {
            const TFocusCuePlace place = static_cast<TWinControl*>(control)->FocusCuePlace();
            if (place.onParent)
                PaintFocusCue(dc, place.rect, place.shape);
        }
}

void TWinControl::InvalidateFocusCue()
{
    const TFocusCuePlace place = FocusCuePlace();
    if (place.shape == TFocusCueShape::None)
        return;
    if (!place.onParent) {
        if (m_handle)
            InvalidateRect(m_handle, &place.rect, FALSE);
    } else if (Parent() && Parent()->m_handle) {
        InvalidateRect(Parent()->m_handle, &place.rect, FALSE);
    }
}

void TWinControl::ChangeFocusCues(bool show)
{
    // Any window shows its cues for the keyboard; only one that follows
    // it hides them again.
    TForm* form = GetParentForm(this);
    if (!m_handle || (!show && (!form || !form->FocusCuesFollowKeyboard())) || FocusCuesShown() == show)
        return;
    SendMessageA(m_handle, WM_CHANGEUISTATE, MAKEWPARAM(show ? UIS_CLEAR : UIS_SET, UISF_HIDEFOCUS), 0);
}

void TWinControl::PaintWindow(HDC) {}

void TWinControl::EraseBackground(HDC dc)
{
    if (Color() == clNone)
        return;
    RECT client;
    GetClientRect(m_handle, &client);
    HBRUSH brush = CreateSolidBrush(ColorToRGB(Color()));
    FillRect(dc, &client, brush);
    DeleteObject(brush);
}

TControl* TWinControl::MouseTarget(int x, int y) const
{
    if (m_captureControl)
        return m_captureControl;
    TControl* control = ControlAtPos(x, y);
    return control ? control : const_cast<TWinControl*>(this);
}

void TWinControl::RouteMouseDown(TMessage& message, TMouseButton button, bool doubleClick)
{
    const int x = GET_X_LPARAM(message.LParam);
    const int y = GET_Y_LPARAM(message.LParam);
    TControl* target = MouseTarget(x, y);
    if (target->ControlStyle() & csCaptureMouse) {
        if (GetCapture() != m_handle)
            SetCapture(m_handle);
        m_captureControl = target;
    }
    const int dx = target == this ? 0 : target->Left();
    const int dy = target == this ? 0 : target->Top();
    Application().Hint().Cancel();
    if (button == TMouseButton::Left)
        ChangeFocusCues(false);
    DefaultHandler(message);
    target->DispatchMouseDown(button, MouseShiftState(message.WParam), x - dx, y - dy, doubleClick);
}

void TWinControl::RouteMouseUp(TMessage& message, TMouseButton button)
{
    const int x = GET_X_LPARAM(message.LParam);
    const int y = GET_Y_LPARAM(message.LParam);
    TControl* target = MouseTarget(x, y);
    const int dx = target == this ? 0 : target->Left();
    const int dy = target == this ? 0 : target->Top();
    if (!(message.WParam & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON))) {
        m_captureControl = nullptr;
        if (GetCapture() == m_handle)
            ReleaseCapture();
    }
    DefaultHandler(message);
    target->DispatchMouseUp(button, MouseShiftState(message.WParam), x - dx, y - dy);
}

void TWinControl::RouteMouseMove(TMessage& message)
{
    const int x = GET_X_LPARAM(message.LParam);
    const int y = GET_Y_LPARAM(message.LParam);
    TControl* target = MouseTarget(x, y);
    const int dx = target == this ? 0 : target->Left();
    const int dy = target == this ? 0 : target->Top();
    Application().Hint().MouseMovedOver(target);
    DefaultHandler(message);
    target->MouseMove(MouseShiftState(message.WParam), x - dx, y - dy);
}

void TWinControl::KeyDown(WORD& key, TShiftState shift)
{
    if (OnKeyDown)
        OnKeyDown(this, key, shift);
}

void TWinControl::KeyUp(WORD& key, TShiftState shift)
{
    if (OnKeyUp)
        OnKeyUp(this, key, shift);
}

void TWinControl::KeyPress(char& key)
{
    if (OnKeyPress)
        OnKeyPress(this, key);
}

void TWinControl::DoEnter()
{
    if (OnEnter)
        OnEnter(this);
}

void TWinControl::DoExit()
{
    if (OnExit)
        OnExit(this);
}

void TWinControl::BoundsChanged()
{
    if (m_handle)
        SetWindowPos(m_handle, nullptr, Left(), Top(), Width(), Height(), SWP_NOZORDER | SWP_NOACTIVATE);
}

void TWinControl::VisibleChanged()
{
    if (m_handle)
        ShowWindow(m_handle, Visible() ? SW_SHOW : SW_HIDE);
    else if (Visible() && Parent() && Parent()->ChildHandlesCreated())
        HandleNeeded();
}

void TWinControl::EnabledChanged()
{
    if (m_handle)
        EnableWindow(m_handle, Enabled());
}

void TWinControl::CaptionChanged()
{
    if (m_handle)
        SetWindowTextA(m_handle, Caption().c_str());
}

TAccState TWinControl::AccState() const
{
    TAccState state = TControl::AccState();
    if (m_tabStop)
        state |= asFocusable;
    if (Focused())
        state |= asFocused;
    const TForm* form = GetParentForm(const_cast<TWinControl*>(this));
    if (form && form->DefaultButton() == this)
        state |= asDefault;
    return state;
}

RECT TWinControl::AccScreenRect() const
{
    RECT rect;
    if (m_handle && GetWindowRect(m_handle, &rect))
        return rect;
    return TControl::AccScreenRect();
}

std::vector<TAccessible*> TWinControl::AccChildren() const
{
    std::vector<TAccessible*> children;
    for (TControl* control : m_controls) {
        if (!control->Visible())
            continue;
        if (control->AccRole() != TAccRole::None)
            children.push_back(control);
        else if (control->IsWindowed()) {
            const auto lifted = static_cast<TWinControl*>(control)->AccChildren();
            children.insert(children.end(), lifted.begin(), lifted.end());
        }
    }
    return children;
}

HWND TWinControl::AccEventWindow(LONG& childId) const
{
    childId = CHILDID_SELF;
    return m_handle;
}

bool TWinControl::AccTakeFocus()
{
    if (!CanFocus() || !m_handle)
        return false;
    SetFocus();
    return true;
}

bool TWinControl::AccDoDefaultAction()
{
    if (AccDefaultAction() == TAccAction::None || !m_handle || !CanFocus())
        return false;
    return PostMessage(m_handle, CM_ACCDEFAULTACTION, 0, 0) != FALSE;
}

bool TWinControl::FocusCuesShown() const
{
    // The top-level window holds the state for all its controls.
    const TWinControl* root = this;
    while (root->Parent())
        root = root->Parent();
    return (root->m_uiState & UISF_HIDEFOCUS) == 0;
}

bool TWinControl::Navigate(WORD key, TShiftState shift)
{
    TWinControl* next = nullptr;
    if (key == VK_RETURN || key == VK_ESCAPE) {
        TForm* form = GetParentForm(this);
        return form && form->DialogKey(key, *this);
    }
    if (key == VK_TAB && !(shift & (ssCtrl | ssAlt))) {
        TWinControl* root = this;
        while (root->Parent())
            root = root->Parent();
        next = NextTabStop(*root, this, !(shift & ssShift));
    } else if (key == VK_LEFT || key == VK_UP || key == VK_RIGHT || key == VK_DOWN) {
        next = NextInGroup(*this, key == VK_RIGHT || key == VK_DOWN);
    }
    if (!next)
        return false;
    // The keyboard is in use: the window shows its focus cues from now on.
    ChangeFocusCues(true);
    next->SetFocus();
    // Page tabs show their page as the arrows reach them, as standard tab
    // controls do; other groups (radio buttons) wait for Space.
    if (key != VK_TAB && next->AccRole() == TAccRole::PageTab)
        next->Click();
    return true;
}
