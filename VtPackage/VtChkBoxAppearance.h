#pragma once
// The composite appearances of the controls with a check state: one
// four-look group per check state.

#include "VtPackage/VtCtrlAppearance.h"

// Unchecked looks at 0..3, checked at 4..7, grayed at 8..11.
class VtChkBoxAppearance : public TObject {
public:
    explicit VtChkBoxAppearance(VtCustomControl& owner) : m_uncheck(owner, 0), m_check(owner, 4), m_gray(owner, 8) {}

    void Assign(const VtChkBoxAppearance& source);

    VtFourStateAppearance& Uncheck() { return m_uncheck; }
    VtFourStateAppearance& Check() { return m_check; }
    VtFourStateAppearance& Gray() { return m_gray; }
    const VtFourStateAppearance& Uncheck() const { return m_uncheck; }
    const VtFourStateAppearance& Check() const { return m_check; }
    const VtFourStateAppearance& Gray() const { return m_gray; }

private:
    VtFourStateAppearance m_uncheck;
    VtFourStateAppearance m_check;
    VtFourStateAppearance m_gray;
};

// Unchecked looks at 0..3, checked at 4..7.
class VtRadioBtnAppearance : public VtCtrlAppearance {
public:
    explicit VtRadioBtnAppearance(VtCustomControl& owner) : VtCtrlAppearance(owner), m_uncheck(owner, 0), m_check(owner, 4) {}

    void Assign(const VtRadioBtnAppearance& source);

    VtFourStateAppearance& Uncheck() { return m_uncheck; }
    VtFourStateAppearance& Check() { return m_check; }
    const VtFourStateAppearance& Uncheck() const { return m_uncheck; }
    const VtFourStateAppearance& Check() const { return m_check; }

private:
    VtFourStateAppearance m_uncheck;
    VtFourStateAppearance m_check;
};
