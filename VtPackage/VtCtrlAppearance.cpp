#include "VtPackage/VtCtrlAppearance.h"

#include "VtPackage/VtCustomControl.h"

void VtCtrlAppearance::SetBitmap(int index, const TBitmap& bitmap)
{
    m_owner.SetStateBitmap(bitmap, index);
}

TBitmap& VtCtrlAppearance::GetBitmap(int index) const
{
    return m_owner.GetStateBitmap(index);
}

void VtFourStateAppearance::Assign(const VtFourStateAppearance& source)
{
    if (&source == this)
        return;
    SetRaisedBmp(source.RaisedBmp());
    SetSunkenBmp(source.SunkenBmp());
    SetFocusedBmp(source.FocusedBmp());
    SetDisabledBmp(source.DisabledBmp());
}

void VtThreeStateAppearance::Assign(const VtThreeStateAppearance& source)
{
    if (&source == this)
        return;
    SetNormalBmp(source.NormalBmp());
    SetFocusedBmp(source.FocusedBmp());
    SetDisabledBmp(source.DisabledBmp());
}
