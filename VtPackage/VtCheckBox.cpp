#include "VtPackage/VtCheckBox.h"

#include "VtPackage/LoadStateBitmaps.h"
#include "VtPackage/VtStateGroups.h"

VtCheckBox::VtCheckBox(TComponent* owner) : VtCustomControl(owner, false, 12), m_appearance(*this)
{
    SetControlStyle(ControlStyle() & ~csDoubleClicks);
    SetAccRole(TAccRole::CheckBox);
    m_previousChange = BitmapChangeHandler();
    BitmapChangeHandler() = [this](TObject* sender) { BitmapChanged(sender); };
}

bool VtCheckBox::LoadChecked(const std::string& folder, const std::string& raised, const std::string& sunken,
                             const std::string& focused, const std::string& disabled)
{
    return LoadStateBitmaps(m_appearance.Check(), folder, {raised, sunken, focused, disabled},
                            m_appearance.Check().FirstIndex());
}

bool VtCheckBox::LoadUnchecked(const std::string& folder, const std::string& raised, const std::string& sunken,
                               const std::string& focused, const std::string& disabled)
{
    return LoadStateBitmaps(m_appearance.Uncheck(), folder, {raised, sunken, focused, disabled},
                            m_appearance.Uncheck().FirstIndex());
}

bool VtCheckBox::LoadGrayed(const std::string& folder, const std::string& raised, const std::string& sunken,
                            const std::string& focused, const std::string& disabled)
{
    return LoadStateBitmaps(m_appearance.Gray(), folder, {raised, sunken, focused, disabled},
                            m_appearance.Gray().FirstIndex());
}

void VtCheckBox::SetChecked(bool checked)
{
    SetState(checked ? TCheckBoxState::Checked : TCheckBoxState::Unchecked);
}

void VtCheckBox::SetState(TCheckBoxState state)
{
    const bool changed = state != m_state;
    m_state = state;
    ShowChkboxBmp(RequestedIndex() % 4);
    if (changed)
        AccNotify(EVENT_OBJECT_STATECHANGE);
}

TAccState VtCheckBox::AccState() const
{
    const TAccState mark = m_state == TCheckBoxState::Checked  ? asChecked
                           : m_state == TCheckBoxState::Grayed ? asMixed
                                                               : 0;
    return VtCustomControl::AccState() | mark;
}

int VtCheckBox::Group() const
{
    switch (m_state) {
    case TCheckBoxState::Checked:
        return 4;
    case TCheckBoxState::Grayed:
        return 8;
    case TCheckBoxState::Unchecked:
        break;
    }
    return 0;
}

void VtCheckBox::ShowChkboxBmp(int look)
{
    ShowBitmap(look + Group());
}

int VtCheckBox::Substitute(int index)
{
    return GroupSubstitute(index);
}

void VtCheckBox::Click()
{
    switch (m_state) {
    case TCheckBoxState::Unchecked:
        SetState(m_allowGrayed ? TCheckBoxState::Grayed : TCheckBoxState::Checked);
        break;
    case TCheckBoxState::Checked:
        SetState(TCheckBoxState::Unchecked);
        break;
    case TCheckBoxState::Grayed:
        SetState(TCheckBoxState::Checked);
        break;
    }
    VtCustomControl::Click();
}

void VtCheckBox::KeyPress(char& key)
{
    VtCustomControl::KeyPress(key);
    if (key == ' ')
        Click();
}

void VtCheckBox::BitmapChanged(TObject* sender)
{
    ReshowIfSubstituteChanged(*this, sender);
    if (m_previousChange)
        m_previousChange(sender);
}
