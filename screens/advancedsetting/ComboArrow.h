#pragma once
// The arrow button of an option row, which screen readers see as the row's
// combo box: named by the row's title, its value the chosen entry,
// expanded while the list is open; its default action opens or closes the
// list as a click does. Its focus cue goes around the row's face.

#include "VtPackage/VtButton.h"

#include <functional>
#include <string>

class ComboArrow : public VtButton {
public:
    struct Facts {
        std::function<std::string()> title;
        std::function<std::string()> value;
        std::function<bool()> open;
        // A key on the focused arrow; true when the row used it.
        std::function<bool(WORD key, TShiftState shift)> key;
        // The face the entry shows on, in the form's coordinates: the
        // focus cue goes around it.
        std::function<RECT()> face;
    };
    ComboArrow(TComponent* owner, Facts facts);

    std::string AccName() const override { return m_facts.title(); }
    std::string AccValue() const override { return m_facts.value(); }
    TAccState AccState() const override;
    TFocusCuePlace FocusCuePlace() override { return {TFocusCueShape::Frame, m_facts.face(), true}; }

protected:
    TAccAction ClickAction() const override { return m_facts.open() ? TAccAction::Close : TAccAction::Open; }
    void KeyDown(WORD& key, TShiftState shift) override;

private:
    Facts m_facts;
};
