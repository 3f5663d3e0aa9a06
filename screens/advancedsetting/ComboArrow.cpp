#include "screens/advancedsetting/ComboArrow.h"

ComboArrow::ComboArrow(TComponent* owner, Facts facts) : VtButton(owner), m_facts(std::move(facts))
{
    SetAccRole(TAccRole::ComboBox);
    SetTabStop(true);
}

void ComboArrow::KeyDown(WORD& key, TShiftState shift)
{
    if (m_facts.key && m_facts.key(key, shift))
        key = 0;
    else
        VtButton::KeyDown(key, shift);
}

TAccState ComboArrow::AccState() const
{
    return VtButton::AccState() | (m_facts.open() ? asExpanded : asCollapsed);
}
