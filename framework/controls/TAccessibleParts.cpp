#include "framework/controls/TAccessibleParts.h"

TAccessibleParts::TAccessibleParts(TComponent* owner, TAccRole role, TAccText name, TAccText value)
    : TControl(owner), m_value(std::move(value))
{
    SetAccRole(role);
    SetAccName(std::move(name));
    // The mouse goes to the parts beneath (a disabled windowless control
    // takes none).
    SetEnabled(false);
}
