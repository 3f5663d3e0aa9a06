#include "screens/automation/PageButtons.h"

namespace {

constexpr TColor kAccent = 0x00F7C34F;
constexpr TColor kCaption = 0x00F0EAE6;
// The mode choice's caption leaves room for its chevron.
constexpr int kChevronWidth = 26;

} // namespace

void LightCaption(VtButtonTx& button, bool lit)
{
    button.Font().SetColor(lit ? kAccent : kCaption);
    button.Invalidate();
}

TToggleButton::TToggleButton(TComponent* owner) : VtButtonTx(owner)
{
    SetAccRole(TAccRole::CheckBox);
}

void TToggleButton::SetChecked(bool checked)
{
    checked_ = checked;
    ShowState();
}

void TToggleButton::SetStateCaptions(const std::string& on, const std::string& off)
{
    on_ = on;
    off_ = off;
    ShowState();
}

void TToggleButton::ShowState()
{
    if (!on_.empty() || !off_.empty())
        SetCaption(checked_ ? on_ : off_);
    LightCaption(*this, checked_);
    AccNotify(EVENT_OBJECT_STATECHANGE);
}

void TToggleButton::Click()
{
    SetChecked(!checked_);
    VtButtonTx::Click();
}

TAccState TToggleButton::AccState() const
{
    return VtButtonTx::AccState() | (checked_ ? asChecked : 0);
}

TPageTab::TPageTab(TComponent* owner) : VtButtonTx(owner)
{
    SetAccRole(TAccRole::PageTab);
}

void TPageTab::SetChecked(bool chosen)
{
    chosen_ = chosen;
    LightCaption(*this, chosen);
    AccNotify(EVENT_OBJECT_STATECHANGE);
}

TAccState TPageTab::AccState() const
{
    return VtButtonTx::AccState() | asSelectable | (chosen_ ? asSelected : 0);
}

TModeChoice::TModeChoice(TComponent* owner) : VtButtonTx(owner)
{
    SetAccRole(TAccRole::ComboBox);
}

void TModeChoice::SetChoices(std::vector<std::string> names)
{
    names_ = std::move(names);
    SetChoice(choice_);
}

void TModeChoice::SetChoice(int choice)
{
    choice_ = choice;
    const bool known = choice >= 0 && choice < int(names_.size());
    SetCaption(known ? names_[choice] : std::string());
    SetTextBounds(0, 0, Width() - kChevronWidth, Height());
    AccNotify(EVENT_OBJECT_VALUECHANGE);
}

void TModeChoice::Step(int by)
{
    if (names_.empty())
        return;
    const int count = int(names_.size());
    SetChoice(((choice_ + by) % count + count) % count);
}

void TModeChoice::Click()
{
    Step(1);
    VtButtonTx::Click();
}

void TModeChoice::KeyDown(WORD& key, TShiftState shift)
{
    if (key == VK_DOWN || key == VK_UP) {
        Step(key == VK_DOWN ? 1 : -1);
        VtButtonTx::Click();
        key = 0;
        return;
    }
    VtButtonTx::KeyDown(key, shift);
}

std::string TModeChoice::AccValue() const
{
    return Caption();
}
