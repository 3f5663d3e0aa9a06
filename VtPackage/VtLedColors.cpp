#include "VtPackage/VtLedColors.h"

#include "VtPackage/VtNumLed.h"
#include "VtPackage/VtNumLed_imp.h"

void VtLedColors::Assign(const VtLedColors& source)
{
    SetLightColor(source.LightColor());
    SetDarkColor(source.DarkColor());
    SetBackgroundColor(source.BackgroundColor());
    SetTransparentColor(source.TransparentColor());
}

TColor VtLedColors::LightColor() const
{
    return m_owner.Imp().LightColor();
}

void VtLedColors::SetLightColor(TColor color)
{
    m_owner.Imp().SetLightColor(color);
}

TColor VtLedColors::DarkColor() const
{
    return m_owner.Imp().DarkColor();
}

void VtLedColors::SetDarkColor(TColor color)
{
    m_owner.Imp().SetDarkColor(color);
}

TColor VtLedColors::BackgroundColor() const
{
    return m_owner.Imp().BackgroundColor();
}

void VtLedColors::SetBackgroundColor(TColor color)
{
    m_owner.Imp().SetBackgroundColor(color);
}

TColor VtLedColors::TransparentColor() const
{
    return m_owner.Imp().TransparentColor();
}

void VtLedColors::SetTransparentColor(TColor color)
{
    m_owner.Imp().SetTransparentColor(color);
}
