#pragma once
// A static tile drawn from three looks: normal, focused, disabled. It takes
// no presses (clicks are disabled from the start) and shows the normal look
// where other controls look pressed.

#include "VtPackage/VtCtrlAppearance.h"
#include "VtPackage/VtCustomControl.h"

#include <string>

class VtBrick : public VtCustomControl {
public:
    explicit VtBrick(TComponent* owner);

    VtThreeStateAppearance& Appearance() { return m_appearance; }
    void SetAppearance(const VtThreeStateAppearance& appearance) { m_appearance.Assign(appearance); }
    bool LoadBitmap(const std::string& folder, const std::string& normal, const std::string& focused,
                    const std::string& disabled);

    void ShowRaised() override { ShowBitmap(0); }
    void ShowFocused() override { ShowBitmap(1); }
    void ShowDisabled() override { ShowBitmap(2); }

private:
    VtThreeStateAppearance m_appearance;
};
