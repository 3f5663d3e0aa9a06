#pragma once
// A radio button with an unchecked and a checked group of four looks.
// Checking it unchecks the other radio buttons of the same parent - only
// controls whose class is exactly VtRadioButton, and only direct siblings.

#include "VtPackage/VtChkBoxAppearance.h"
#include "VtPackage/VtCustomControl.h"

#include <string>

class VtRadioButton : public VtCustomControl {
public:
    explicit VtRadioButton(TComponent* owner);

    VtRadioBtnAppearance& Appearance() { return m_appearance; }
    void SetAppearance(const VtRadioBtnAppearance& appearance) { m_appearance.Assign(appearance); }
    bool LoadChecked(const std::string& folder, const std::string& raised, const std::string& sunken,
                     const std::string& focused, const std::string& disabled);
    bool LoadUnchecked(const std::string& folder, const std::string& raised, const std::string& sunken,
                       const std::string& focused, const std::string& disabled);

    bool GetChecked() const override { return m_checked; }
    void SetChecked(bool checked) override;

    TAccState AccState() const override;
    // One of a row of page tabs: screen readers see a page tab, selected
    // while it is checked.
    void SetPageTab(bool pageTab);
    bool PageTab() const { return AccRole() == TAccRole::PageTab; }

    void ShowRadioBtnBmp(int look);
    void ShowRaised() override { ShowRadioBtnBmp(0); }
    void ShowSunken() override { ShowRadioBtnBmp(1); }
    void ShowFocused() override { ShowRadioBtnBmp(2); }
    void ShowDisabled() override { ShowRadioBtnBmp(3); }
    int Substitute(int index) override;

    // Whether checking this button unchecks that control.
    virtual bool IsExclusiveType(TControl* control);
    void ExcludeOther();

    void Click() override;
    void DblClick() override;

protected:
    TAccAction ClickAction() const override { return TAccAction::Select; }
    void KeyPress(char& key) override;

private:
    void BitmapChanged(TObject* sender);

    bool m_checked = false;
    VtRadioBtnAppearance m_appearance;
    TNotifyEvent m_previousChange;
};
