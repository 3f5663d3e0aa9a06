#include "VtPackage/VtChkBoxAppearance.h"

void VtChkBoxAppearance::Assign(const VtChkBoxAppearance& source)
{
    m_uncheck.Assign(source.m_uncheck);
    m_check.Assign(source.m_check);
    m_gray.Assign(source.m_gray);
}

void VtRadioBtnAppearance::Assign(const VtRadioBtnAppearance& source)
{
    m_uncheck.Assign(source.m_uncheck);
    m_check.Assign(source.m_check);
}
