#include "VtPackage/VtNumLed.h"

#include "VtPackage/VtNumLed_imp.h"

VtNumLed::VtNumLed(TComponent* owner)
    : TGraphicControl(owner),
      m_imp(std::make_unique<kelp::VtNumLed_imp>(Parent(), Width(), Height())),
      m_ledColors(std::make_unique<VtLedColors>(*this))
{
}

VtNumLed::~VtNumLed()
{
    Destroying();
}

VtNumLedType VtNumLed::GetType() const
{
    return m_imp->Type();
}

void VtNumLed::SetType(VtNumLedType type)
{
    m_imp->SetType(type);
}

VtNumLedStyle VtNumLed::GetStyle() const
{
    return m_imp->Style();
}

void VtNumLed::SetStyle(VtNumLedStyle style)
{
    m_imp->SetStyle(style);
}

bool VtNumLed::GetZeroLeading() const
{
    return m_imp->ZeroLeading();
}

void VtNumLed::SetZeroLeading(bool zeroLeading)
{
    m_imp->SetZeroLeading(zeroLeading);
}

bool VtNumLed::GetKeepRatio() const
{
    return m_imp->KeepRatio();
}

void VtNumLed::SetKeepRatio(bool keepRatio)
{
    m_imp->SetKeepRatio(keepRatio);
    TGraphicControl::SetBounds(Left(), Top(), m_imp->Width(), m_imp->Height());
}

const std::string& VtNumLed::GetFormat() const
{
    return m_imp->Format();
}

void VtNumLed::SetFormat(const std::string& format)
{
    m_imp->SetFormat(format);
}

bool VtNumLed::GetTransparent() const
{
    return m_imp->Transparent();
}

void VtNumLed::SetTransparent(bool transparent)
{
    m_imp->SetTransparent(transparent);
}

void VtNumLed::SetValue(double number)
{
    m_imp->SetNumber(number);
}

void VtNumLed::SetValue(const SYSTEMTIME& dateTime)
{
    m_imp->SetDateTime(dateTime);
}

bool VtNumLed::GetValue(double& number) const
{
    if (m_imp->Type() != nledFloat)
        return false;
    number = m_imp->Number();
    return true;
}

bool VtNumLed::GetValue(SYSTEMTIME& dateTime) const
{
    if (m_imp->Type() != nledTime && m_imp->Type() != nledDate)
        return false;
    dateTime = m_imp->DateTime();
    return true;
}

void VtNumLed::On(unsigned ledNumber)
{
    m_imp->On(ledNumber);
}

void VtNumLed::Off(unsigned ledNumber)
{
    m_imp->Off(ledNumber);
}

void VtNumLed::Repaint()
{
    m_imp->Repaint();
    TGraphicControl::Repaint();
}

void VtNumLed::SetBounds(int left, int top, int width, int height)
{
    m_imp->SetBounds(left, top, width, height);
    TGraphicControl::SetBounds(left, top, m_imp->Width(), m_imp->Height());
}

void VtNumLed::SetParent(TWinControl* parent)
{
    m_imp->SetParent(parent);
    TGraphicControl::SetParent(parent);
}

TImage& VtNumLed::Image()
{
    return m_imp->Image();
}

void VtNumLed::VisibleChanged()
{
    // The image is what shows, so it follows the control.
    m_imp->Image().SetVisible(Visible());
    TGraphicControl::VisibleChanged();
}
