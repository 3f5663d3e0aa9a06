#include "screens/automation/HotkeyField.h"

#include "framework/graphics/Canvas.h"

using namespace automationpage;

namespace {

constexpr TColor kWell = 0x00110D0A;
constexpr TColor kFrame = 0x00100C0A;
constexpr TColor kAccent = 0x00F7C34F;
constexpr TColor kSecondary = 0x00AEA39A;
constexpr TColor kDanger = 0x003E50E0;

} // namespace

THotkeyField::THotkeyField(TComponent* owner) : TWinControl(owner)
{
    SetAccRole(TAccRole::HotkeyField);
    SetTabStop(true);
    SetColor(kWell);
    font_.OnChange = [this](TObject*) { Invalidate(); };
}

void THotkeyField::SetWords(const ModifierNames& names, const std::string& empty, const std::string& prompt)
{
    names_ = names;
    empty_ = empty;
    prompt_ = prompt;
    Invalidate();
}

void THotkeyField::SetCombination(const KeyCombination& combination)
{
    combination_ = combination;
    Invalidate();
    AccNotify(EVENT_OBJECT_VALUECHANGE);
}

void THotkeyField::SetTaken(bool taken)
{
    taken_ = taken;
    Invalidate();
}

std::string THotkeyField::ShownText() const
{
    if (focused_ && held_)
        return KeyCapture::HeldText(held_, names_);
    if (!combination_.Empty())
        return CombinationText(combination_, names_);
    return focused_ ? prompt_ : empty_;
}

unsigned THotkeyField::HeldModifiers()
{
    unsigned held = 0;
    if (GetKeyState(VK_CONTROL) < 0)
        held |= kModControl;
    if (GetKeyState(VK_MENU) < 0)
        held |= kModAlt;
    if (GetKeyState(VK_SHIFT) < 0)
        held |= kModShift;
    if (GetKeyState(VK_LWIN) < 0 || GetKeyState(VK_RWIN) < 0)
        held |= kModWin;
    return held;
}

void THotkeyField::KeyDown(WORD& key, TShiftState shift)
{
    TWinControl::KeyDown(key, shift);
    if (!key)
        return;
    held_ = HeldModifiers();
    switch (capture_.KeyDown(key, held_)) {
    case KeyCapture::Outcome::PassOn:
        return;
    case KeyCapture::Outcome::Held:
        break;
    case KeyCapture::Outcome::Taken:
        held_ = 0;
        SetCombination(capture_.Result());
        if (OnCombination)
            OnCombination(combination_);
        break;
    case KeyCapture::Outcome::Cleared:
        SetCombination({});
        if (OnCombination)
            OnCombination(combination_);
        break;
    case KeyCapture::Outcome::NeedsModifier:
        if (OnRefused)
            OnRefused();
        break;
    }
    key = 0;
    Invalidate();
}

void THotkeyField::KeyUp(WORD& key, TShiftState shift)
{
    TWinControl::KeyUp(key, shift);
    held_ = HeldModifiers();
    key = 0;
    Invalidate();
}

void THotkeyField::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_SYSCHAR:
    case WM_CHAR:
        // Typed characters and Alt+letter would beep or open a menu.
        return;
    case WM_SYSKEYUP: {
        // Releasing Alt alone would otherwise move the focus to the menu.
        WORD key = static_cast<WORD>(message.WParam);
        KeyUp(key, KeyboardShiftState());
        return;
    }
    case WM_LBUTTONDOWN:
        SetFocus();
        break;
    default:
        break;
    }
    TWinControl::WndProc(message);
}

void THotkeyField::DoEnter()
{
    focused_ = true;
    held_ = 0;
    Invalidate();
    TWinControl::DoEnter();
}

void THotkeyField::DoExit()
{
    focused_ = false;
    held_ = 0;
    Invalidate();
    TWinControl::DoExit();
}

void THotkeyField::PaintWindow(HDC dc)
{
    TCanvas canvas;
    canvas.SetHandle(dc);
    RECT area{0, 0, ClientWidth(), ClientHeight()};
    canvas.Brush().SetColor(focused_ ? kAccent : kFrame);
    canvas.FillRect(area);
    InflateRect(&area, -1, -1);
    canvas.Brush().SetColor(Color());
    canvas.FillRect(area);
    canvas.Font().Assign(font_);
    const bool placeholder = combination_.Empty() && !(focused_ && held_);
    canvas.Font().SetColor(!Enabled() ? 0x007C726B : taken_ && !placeholder ? kDanger : placeholder ? kSecondary : font_.Color());
    canvas.Brush().SetStyle(TBrushStyle::Clear);
    RECT text = area;
    InflateRect(&text, -4, 0);
    canvas.DrawText(ShownText(), text, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    canvas.SetHandle(nullptr);
}
