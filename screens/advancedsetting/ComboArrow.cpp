#include "screens/advancedsetting/ComboArrow.h"

ComboArrow::ComboArrow(TComponent* owner, Facts facts) : VtButton(owner), m_facts(std::move(facts))
{
    SetAccRole(TAccRole::ComboBox);
}

TAccState ComboArrow::AccState() const
{
    return VtButton::AccState() | (m_facts.open() ? asExpanded : asCollapsed);
}
