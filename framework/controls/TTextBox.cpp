#include "framework/controls/TTextBox.h"

#include "framework/graphics/Canvas.h"

namespace {

constexpr int kEditId = 1;
// Text inset from the well's edge.
constexpr int kInsetX = 5;

} // namespace

TTextBox::TTextBox(TComponent* owner) : TWinControl(owner)
{
    SetAccRole(TAccRole::EditableText);
    SetTabStop(true);
    SetCursor(crIBeam);
    SetColor(0x00110D0A);
    m_font.OnChange = [this](TObject*) {
        if (m_edit)
            SendMessageA(m_edit, WM_SETFONT, reinterpret_cast<WPARAM>(m_font.Handle()), TRUE);
    };
}

TTextBox::~TTextBox()
{
    // The edit's last messages must not reach a box that is half gone.
    ForgetEdit();
}

void TTextBox::ForgetEdit()
{
    if (!m_edit)
        return;
    m_value = Value();
    SetWindowLongPtrA(m_edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_editProc));
    SetWindowLongPtrA(m_edit, GWLP_USERDATA, 0);
    DestroyWindow(m_edit);
    m_edit = nullptr;
}

std::string TTextBox::Value() const
{
    if (!m_edit)
        return m_value;
    const int length = GetWindowTextLengthA(m_edit);
    std::string text(length + 1, '\0');
    text.resize(GetWindowTextA(m_edit, text.data(), length + 1));
    return text;
}

void TTextBox::SetValue(const std::string& value)
{
    m_value = value;
    if (!m_edit)
        return;
    m_settingValue = true;
    SetWindowTextA(m_edit, value.c_str());
    m_settingValue = false;
}

void TTextBox::SetMaxLength(int length)
{
    m_maxLength = length;
    if (m_edit)
        SendMessageA(m_edit, EM_LIMITTEXT, length, 0);
}

void TTextBox::SetFrameColors(TColor normal, TColor focused)
{
    m_frame = normal;
    m_frameFocused = focused;
    Invalidate();
}

void TTextBox::SetFocus()
{
    Handle();
    ::SetFocus(m_edit);
}

TAccState TTextBox::AccState() const
{
    TAccState state = TWinControl::AccState();
    if (m_edit && GetFocus() == m_edit)
        state |= asFocused;
    return state;
}

RECT TTextBox::EditBounds() const
{
    // One line of the font, centred in the well.
    const int line = m_font.Height() < 0 ? -m_font.Height() + 3 : 16;
    const int top = (Height() - line) / 2;
    return {kInsetX, top, Width() - kInsetX, top + line};
}

void TTextBox::HandleCreated()
{
    const RECT place = EditBounds();
    DWORD style = WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL;
    if (!Enabled())
        style |= WS_DISABLED;
    m_edit = CreateWindowExA(0, "EDIT", m_value.c_str(), style, place.left, place.top, place.right - place.left,
                             place.bottom - place.top, Handle(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(kEditId)),
                             GetModuleHandleA(nullptr), nullptr);
    if (!m_edit)
        return;
    SendMessageA(m_edit, WM_SETFONT, reinterpret_cast<WPARAM>(m_font.Handle()), FALSE);
    if (m_maxLength)
        SendMessageA(m_edit, EM_LIMITTEXT, m_maxLength, 0);
    SetWindowLongPtrA(m_edit, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    m_editProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(m_edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TTextBox::EditProc)));
}

LRESULT CALLBACK TTextBox::EditProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto* box = reinterpret_cast<TTextBox*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!box)
        return DefWindowProcA(window, msg, wParam, lParam);
    switch (msg) {
    case WM_KEYDOWN:
        // The form's keys: the box's window moves the focus or presses the
        // form's buttons as any other control does.
        if (wParam == VK_TAB || wParam == VK_RETURN || wParam == VK_ESCAPE) {
            box->Perform(WM_KEYDOWN, wParam, lParam);
            return 0;
        }
        break;
    case WM_CHAR:
        // Their characters would only beep.
        if (wParam == '\t' || wParam == '\r' || wParam == 27)
            return 0;
        break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
        box->m_editFocused = msg == WM_SETFOCUS;
        box->Invalidate();
        if (msg == WM_SETFOCUS)
            box->AccNotify(EVENT_OBJECT_FOCUS);
        break;
    }
    default:
        break;
    }
    return CallWindowProcA(box->m_editProc, window, msg, wParam, lParam);
}

void TTextBox::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_SETFOCUS:
        // A click on the well's margin or a focus given to the box's window
        // goes on to the edit.
        if (m_edit) {
            ::SetFocus(m_edit);
            return;
        }
        break;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC: {
        const HDC dc = reinterpret_cast<HDC>(message.WParam);
        SetTextColor(dc, ColorToRGB(Enabled() ? m_font.Color() : 0x007C726B));
        SetBkColor(dc, ColorToRGB(Color()));
        m_well.SetColor(Color());
        message.Result = reinterpret_cast<LRESULT>(m_well.Handle());
        return;
    }
    case WM_COMMAND:
        if (reinterpret_cast<HWND>(message.LParam) == m_edit && HIWORD(message.WParam) == EN_CHANGE) {
            if (!m_settingValue) {
                AccNotify(EVENT_OBJECT_VALUECHANGE);
                if (OnChange)
                    OnChange(this);
            }
            return;
        }
        break;
    case WM_LBUTTONDOWN:
        if (m_edit)
            ::SetFocus(m_edit);
        return;
    case WM_DESTROY:
        ForgetEdit();
        break;
    default:
        break;
    }
    TWinControl::WndProc(message);
}

void TTextBox::PaintWindow(HDC dc)
{
    TCanvas canvas;
    canvas.SetHandle(dc);
    RECT area{0, 0, ClientWidth(), ClientHeight()};
    canvas.Brush().SetColor(m_editFocused ? m_frameFocused : m_frame);
    canvas.FillRect(area);
    InflateRect(&area, -1, -1);
    canvas.Brush().SetColor(Color());
    canvas.FillRect(area);
    canvas.SetHandle(nullptr);
}

void TTextBox::BoundsChanged()
{
    TWinControl::BoundsChanged();
    if (m_edit) {
        const RECT place = EditBounds();
        MoveWindow(m_edit, place.left, place.top, place.right - place.left, place.bottom - place.top, TRUE);
    }
}

void TTextBox::EnabledChanged()
{
    TWinControl::EnabledChanged();
    if (m_edit)
        EnableWindow(m_edit, Enabled());
}
