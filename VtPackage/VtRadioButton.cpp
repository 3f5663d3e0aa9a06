#include "VtPackage/VtRadioButton.h"

#include "VtPackage/LoadStateBitmaps.h"
#include "VtPackage/VtStateGroups.h"

VtRadioButton::VtRadioButton(TComponent* owner) : VtCustomControl(owner, false, 8), m_appearance(*this)
{
    SetAccRole(TAccRole::RadioButton);
    m_previousChange = BitmapChangeHandler();
    BitmapChangeHandler() = [this](TObject* sender) { BitmapChanged(sender); };
}

bool VtRadioButton::LoadChecked(const std::string& folder, const std::string& raised, const std::string& sunken,
                                const std::string& focused, const std::string& disabled)
{
    return LoadStateBitmaps(m_appearance.Check(), folder, {raised, sunken, focused, disabled},
                            m_appearance.Check().FirstIndex());
}

bool VtRadioButton::LoadUnchecked(const std::string& folder, const std::string& raised, const std::string& sunken,
                                  const std::string& focused, const std::string& disabled)
{
    return LoadStateBitmaps(m_appearance.Uncheck(), folder, {raised, sunken, focused, disabled},
                            m_appearance.Uncheck().FirstIndex());
}

void VtRadioButton::SetChecked(bool checked)
{
    if (checked)
        ExcludeOther();
    const bool changed = checked != m_checked;
    m_checked = checked;
    ShowRadioBtnBmp(RequestedIndex() % 4);
    if (changed) {
        AccNotify(EVENT_OBJECT_STATECHANGE);
        if (checked)
            AccNotify(EVENT_OBJECT_SELECTION);
    }
}

TAccState VtRadioButton::AccState() const
{
    const TAccState mark = !m_checked ? 0 : PageTab() ? asSelected : asChecked | asSelected;
    return VtCustomControl::AccState() | asSelectable | mark;
}

void VtRadioButton::SetPageTab(bool pageTab)
{
    SetAccRole(pageTab ? TAccRole::PageTab : TAccRole::RadioButton);
}

void VtRadioButton::ShowRadioBtnBmp(int look)
{
    ShowBitmap(look + (m_checked ? 4 : 0));
}

int VtRadioButton::Substitute(int index)
{
    return GroupSubstitute(index);
}

bool VtRadioButton::IsExclusiveType(TControl* control)
{
    return control->ClassName() == "VtRadioButton";
}

void VtRadioButton::ExcludeOther()
{
    TWinControl* parent = Parent();
    if (!parent)
        return;
    // Unchecking a sibling runs no code that changes the parent's list.
    for (int i = 0; i < parent->ControlCount(); ++i) {
        TControl* control = parent->Controls(i);
        if (control == this || !IsExclusiveType(control))
            continue;
        if (auto* radio = dynamic_cast<VtControl*>(control))
            radio->SetChecked(false);
    }
}

void VtRadioButton::Click()
{
    SetChecked(true);
    VtCustomControl::Click();
}

void VtRadioButton::DblClick()
{
    SetChecked(true);
    VtCustomControl::DblClick();
}

void VtRadioButton::KeyPress(char& key)
{
    VtCustomControl::KeyPress(key);
    if (key == ' ')
        Click();
}

void VtRadioButton::BitmapChanged(TObject* sender)
{
    ReshowIfSubstituteChanged(*this, sender);
    if (m_previousChange)
        m_previousChange(sender);
}
