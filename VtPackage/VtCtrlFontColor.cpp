#include "VtPackage/VtCtrlFontColor.h"

void VtCtrlFontColor::Store(TColor& field, TColor color)
{
    if (field == color)
        return;
    field = color;
    Changed();
}

void VtCtrlFontColor::Changed()
{
    if (OnChange)
        OnChange(this);
}

void VtTwoStateFontColor::Assign(const VtTwoStateFontColor& source)
{
    m_focused = source.m_focused;
    m_disabled = source.m_disabled;
    Changed();
}

void VtThreeStateFontColor::Assign(const VtThreeStateFontColor& source)
{
    m_sunken = source.m_sunken;
    m_focused = source.m_focused;
    m_disabled = source.m_disabled;
    Changed();
}
