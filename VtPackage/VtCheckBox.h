#pragma once
// A check box with three check states, each with its own four looks.
// A click moves unchecked -> checked -> unchecked, or with AllowGrayed
// unchecked -> grayed -> checked -> unchecked. Setting the state keeps the
// current look (hovered, pressed, ...) and only changes the group.

#include "VtPackage/VtChkBoxAppearance.h"
#include "VtPackage/VtCustomControl.h"
#include "framework/controls/StdControlTypes.h"

#include <string>

class VtCheckBox : public VtCustomControl {
public:
    explicit VtCheckBox(TComponent* owner);

    VtChkBoxAppearance& Appearance() { return m_appearance; }
    void SetAppearance(const VtChkBoxAppearance& appearance) { m_appearance.Assign(appearance); }
    bool LoadChecked(const std::string& folder, const std::string& raised, const std::string& sunken,
                     const std::string& focused, const std::string& disabled);
    bool LoadUnchecked(const std::string& folder, const std::string& raised, const std::string& sunken,
                       const std::string& focused, const std::string& disabled);
    bool LoadGrayed(const std::string& folder, const std::string& raised, const std::string& sunken,
                    const std::string& focused, const std::string& disabled);

    bool GetChecked() const override { return m_state == TCheckBoxState::Checked; }
    void SetChecked(bool checked) override;
    TCheckBoxState State() const { return m_state; }
    void SetState(TCheckBoxState state);
    bool AllowGrayed() const { return m_allowGrayed; }
    void SetAllowGrayed(bool allow) { m_allowGrayed = allow; }

    // Shows a look (0 raised, 1 sunken, 2 focused, 3 disabled) of the
    // current check state.
    TAccState AccState() const override;

    void ShowChkboxBmp(int look);
    void ShowRaised() override { ShowChkboxBmp(0); }
    void ShowSunken() override { ShowChkboxBmp(1); }
    void ShowFocused() override { ShowChkboxBmp(2); }
    void ShowDisabled() override { ShowChkboxBmp(3); }
    int Substitute(int index) override;

    void Click() override;

protected:
    TAccAction ClickAction() const override
    {
        return m_state == TCheckBoxState::Checked ? TAccAction::Uncheck : TAccAction::Check;
    }
    void KeyPress(char& key) override;

private:
    void BitmapChanged(TObject* sender);
    int Group() const;

    TCheckBoxState m_state = TCheckBoxState::Unchecked;
    bool m_allowGrayed = false;
    VtChkBoxAppearance m_appearance;
    TNotifyEvent m_previousChange;
};
