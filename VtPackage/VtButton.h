#pragma once
// A push button drawn from four looks: raised, sunken, focused, disabled.
// A click sets the parent form's modal result; space clicks too, Enter
// only shows the pressed look. A quick second click is another click.

#include "VtPackage/VtCtrlAppearance.h"
#include "VtPackage/VtCustomControl.h"

#include <string>

class VtButton : public VtCustomControl {
public:
    explicit VtButton(TComponent* owner);

    VtFourStateAppearance& Appearance() { return m_appearance; }
    void SetAppearance(const VtFourStateAppearance& appearance) { m_appearance.Assign(appearance); }
    bool LoadBitmap(const std::string& folder, const std::string& raised, const std::string& sunken,
                    const std::string& focused, const std::string& disabled);

    int ModalResult() const { return m_modalResult; }
    void SetModalResult(int result) { m_modalResult = result; }

    void ShowRaised() override { ShowBitmap(0); }
    void ShowSunken() override { ShowBitmap(1); }
    void ShowFocused() override { ShowBitmap(2); }
    void ShowDisabled() override { ShowBitmap(3); }

    void Click() override;

protected:
    TAccAction ClickAction() const override { return TAccAction::Press; }
    void KeyPress(char& key) override;

private:
    VtFourStateAppearance m_appearance;
    int m_modalResult = 0;
};
