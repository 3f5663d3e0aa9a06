#include "framework/TForm.h"

#include "framework/FocusNavigation.h"
#include "framework/FrameworkMessages.h"
#include "framework/TApplication.h"

#include <stdexcept>
#include <vector>

namespace {

void BorderStyles(TBorderStyle border, DWORD& style, DWORD& exStyle)
{
    switch (border) {
    case TBorderStyle::None:
        style = WS_POPUP;
        exStyle = 0;
        break;
    case TBorderStyle::Single:
        style = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
        exStyle = 0;
        break;
    case TBorderStyle::Sizeable:
        style = WS_OVERLAPPEDWINDOW;
        exStyle = 0;
        break;
    case TBorderStyle::Dialog:
        style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
        exStyle = WS_EX_DLGMODALFRAME;
        break;
    case TBorderStyle::ToolWindow:
        style = WS_CAPTION | WS_SYSMENU;
        exStyle = WS_EX_TOOLWINDOW;
        break;
    }
}

// Loaded once: the system hands out the same shared icon every time, and
// forms work out their window parameters often (for their client size too),
// each load costing several wineserver round trips.
HICON ApplicationIcon()
{
    static const HICON icon = [] {
        HICON loaded = LoadIconA(GetModuleHandleA(nullptr), "MAINICON");
        return loaded ? loaded : LoadIconA(nullptr, IDI_APPLICATION);
    }();
    return icon;
}

constexpr DWORD kBorderStyleMask = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
constexpr DWORD kBorderExStyleMask = WS_EX_DLGMODALFRAME | WS_EX_TOOLWINDOW;

struct ModalSearch {
    HWND modal;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectEnabledWindow(HWND window, LPARAM data)
{
    auto* search = reinterpret_cast<ModalSearch*>(data);
    if (window != search->modal && IsWindowVisible(window) && IsWindowEnabled(window))
        search->found.push_back(window);
    return TRUE;
}

// The thread's visible, enabled top-level windows other than the modal one.
std::vector<HWND> WindowsToDisable(HWND modal)
{
    ModalSearch search{modal, {}};
    EnumThreadWindows(GetCurrentThreadId(), &CollectEnabledWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

} // namespace

TForm::TForm(TComponent* owner) : TWinControl(owner)
{
    UpdateVisible(false);
    SetBounds(0, 0, 320, 240);
    SetAccRole(TAccRole::Client);
}

TForm::~TForm()
{
    DoDestroy();
    Destroying();
}

void TForm::DoDestroy()
{
    if (m_destroyFired || !m_constructed)
        return;
    m_destroyFired = true;
    if (OnDestroy)
        OnDestroy(this);
}

void TForm::SetBorderStyle(TBorderStyle style)
{
    if (style == m_borderStyle)
        return;
    m_borderStyle = style;
    if (!HandleAllocated())
        return;
    DWORD newStyle = 0;
    DWORD newExStyle = 0;
    BorderStyles(style, newStyle, newExStyle);
    const DWORD current = GetWindowLongA(Handle(), GWL_STYLE);
    const DWORD currentEx = GetWindowLongA(Handle(), GWL_EXSTYLE);
    SetWindowLongA(Handle(), GWL_STYLE, (current & ~kBorderStyleMask) | newStyle);
    SetWindowLongA(Handle(), GWL_EXSTYLE, (currentEx & ~kBorderExStyleMask) | newExStyle);
    SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TForm::SetFormStyle(TFormStyle style)
{
    if (style == m_formStyle)
        return;
    m_formStyle = style;
    if (HandleAllocated())
        SetWindowPos(Handle(), style == TFormStyle::StayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TForm::SetOwnerWindow(HWND owner)
{
    m_ownerWindow = owner;
    if (HandleAllocated())
        SetWindowLongPtrA(Handle(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
}

void TForm::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    BorderStyles(m_borderStyle, params.Style, params.ExStyle);
    if (m_formStyle == TFormStyle::StayOnTop)
        params.ExStyle |= WS_EX_TOPMOST;
    // Created hidden: VisibleChanged shows the window once it exists.
    params.Style |= WS_CLIPCHILDREN;
    if (!Enabled())
        params.Style |= WS_DISABLED;
    params.WndParent = m_ownerWindow;
    params.Icon = ApplicationIcon();
}

void TForm::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_CLOSE:
        Close();
        return;
    case WM_ACTIVATEAPP:
        Application().ActivationChanged(message.WParam != 0);
        TWinControl::WndProc(message);
        return;
    case WM_ACTIVATE:
        // The focus goes back to the control that had it when another
        // window (a dialog, a cover) took the activation.
        // A form opened anew starts at the control it names first, its
        // default button, or its first tab stop, so that the keyboard
        // reaches it at once.
        if (LOWORD(message.WParam) == WA_INACTIVE) {
            const HWND focus = GetFocus();
            m_lastFocus = focus && IsChild(Handle(), focus) ? focus : nullptr;
        } else if (!HIWORD(message.WParam)) {
            if (m_lastFocus && IsChild(Handle(), m_lastFocus) && IsWindowVisible(m_lastFocus) &&
                IsWindowEnabled(m_lastFocus)) {
                ::SetFocus(m_lastFocus);
                return;
            }
            TWinControl* first = m_firstFocus ? StopFor(*this, *m_firstFocus) : nullptr;
            if (!first || !first->CanFocus())
                first = m_defaultButton && m_defaultButton->CanFocus() ? m_defaultButton
                                                                       : NextTabStop(*this, nullptr, true);
            if (first) {
                first->SetFocus();
                return;
            }
        }
        TWinControl::WndProc(message);
        return;
    case WM_SHOWWINDOW:
        // Shown straight through the system (ShowWindow) as well as by
        // Show: the controls' windows must be there before it appears.
        if (message.WParam)
            CreateChildHandles();
        TWinControl::WndProc(message);
        if (!message.WParam)
            m_lastFocus = nullptr;
        if (message.LParam == 0) {
            if (message.WParam && m_cuesFollowKeyboard)
                SendMessageA(Handle(), WM_CHANGEUISTATE, MAKEWPARAM(UIS_SET, UISF_HIDEFOCUS), 0);
            if (message.WParam)
                DoShow();
            else
                DoHide();
        }
        return;
    default:
        TWinControl::WndProc(message);
    }
}

void TForm::VisibleChanged()
{
    if (Visible()) {
        if (!m_positioned) {
            m_positioned = true;
            ApplyPosition();
        }
        CreateChildHandles();
        ShowWindow(Handle(), SW_SHOW);
        BringToFront();
    } else if (HandleAllocated()) {
        ShowWindow(Handle(), SW_HIDE);
    }
}

void TForm::ApplyPosition()
{
    int areaLeft = 0;
    int areaTop = 0;
    int areaWidth = 0;
    int areaHeight = 0;
    switch (m_position) {
    case TPosition::Designed:
        return;
    case TPosition::ScreenCenter:
        areaWidth = GetSystemMetrics(SM_CXSCREEN);
        areaHeight = GetSystemMetrics(SM_CYSCREEN);
        break;
    case TPosition::MainFormCenter: {
        TForm* main = Application().MainForm();
        if (!main || main == this)
            return;
        areaLeft = main->Left();
        areaTop = main->Top();
        areaWidth = main->Width();
        areaHeight = main->Height();
        break;
    }
    }
    SetBounds(areaLeft + (areaWidth - Width()) / 2, areaTop + (areaHeight - Height()) / 2, Width(), Height());
}

void TForm::BringToFront()
{
    if (HandleAllocated())
        SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void TForm::DoShow()
{
    // A handler that brings its window forward shows it again before the
    // first show is over, which would run the handler once more for every
    // such call; one show runs it once.
    if (!OnShow || m_inShow)
        return;
    m_inShow = true;
    struct Reset {
        bool& flag;
        ~Reset() { flag = false; }
    } reset{m_inShow};
    OnShow(this);
}

void TForm::DoHide()
{
    if (OnHide)
        OnHide(this);
}

void TForm::DoClose(TCloseAction& action)
{
    if (OnClose)
        OnClose(this, action);
}

bool TForm::CloseQuery()
{
    bool canClose = true;
    if (OnCloseQuery)
        OnCloseQuery(this, canClose);
    return canClose;
}

void TForm::Close()
{
    if (m_modal) {
        m_modalResult = mrCancel;
        return;
    }
    if (!CloseQuery())
        return;
    TCloseAction action = TCloseAction::Hide;
    DoClose(action);
    if (action == TCloseAction::None)
        return;
    if (Application().MainForm() == this) {
        Application().Terminate();
        return;
    }
    switch (action) {
    case TCloseAction::Hide:
        Hide();
        break;
    case TCloseAction::Minimize:
        ShowWindow(Handle(), SW_MINIMIZE);
        break;
    case TCloseAction::Free:
        Release();
        break;
    case TCloseAction::None:
        break;
    }
}

bool TForm::CloseModal()
{
    if (!CloseQuery())
        return false;
    TCloseAction action = TCloseAction::Hide;
    DoClose(action);
    return action != TCloseAction::None;
}

TModalResult TForm::ShowModal()
{
    if (Visible() || m_modal)
        throw std::logic_error("Cannot make a visible window modal");

    // Undoes the modal state however the loop ends.
    struct ModalScope {
        TForm* form;
        std::vector<HWND> disabled;
        HWND focus;  // gets the focus back
        ~ModalScope()
        {
            form->m_modal = false;
            for (HWND window : disabled)
                EnableWindow(window, TRUE);
            form->Hide();
            if (focus && IsWindow(focus) && IsWindowVisible(focus) && IsWindowEnabled(focus))
                ::SetFocus(focus);
        }
    } scope{this, WindowsToDisable(Handle()), GetFocus()};
    for (HWND window : scope.disabled)
        EnableWindow(window, FALSE);
    m_modal = true;
    m_modalResult = mrNone;

    Show();
    SetForegroundWindow(Handle());
    if (m_defaultButton && m_defaultButton->CanFocus())
        m_defaultButton->SetFocus();
    else
        ::SetFocus(Handle());
    for (;;) {
        Application().HandleMessage();
        if (Application().Terminated()) {
            m_modalResult = mrCancel;
            break;
        }
        if (m_modalResult != mrNone) {
            if (CloseModal())
                break;
            m_modalResult = mrNone;
        }
    }
    return m_modalResult;
}

bool TForm::DialogKey(WORD key, TWinControl& from)
{
    if (key == VK_ESCAPE) {
        if (m_cancelButton && m_cancelButton->CanFocus()) {
            m_cancelButton->Click();
            return true;
        }
        if (m_modal) {
            Close();
            return true;
        }
        return false;
    }
    if (key != VK_RETURN || !m_defaultButton)
        return false;
    TWinControl* target = from.AccRole() == TAccRole::PushButton ? &from : m_defaultButton;
    if (!target->CanFocus())
        return false;
    target->Click();
    return true;
}

void TForm::Release()
{
    PostMessageA(Handle(), CM_RELEASE, 0, 0);
}

TForm* GetParentForm(TControl* control)
{
    while (control && control->Parent())
        control = control->Parent();
    return dynamic_cast<TForm*>(control);
}
