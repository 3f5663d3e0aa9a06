#pragma once
// The arrow button of an option row, which screen readers see as the row's
// combo box: named by the row's title, its value the chosen entry,
// expanded while the list is open; its default action opens or closes the
// list as a click does.

#include "VtPackage/VtButton.h"

#include <functional>
#include <string>

class ComboArrow : public VtButton {
public:
    struct Facts {
        std::function<std::string()> title;
        std::function<std::string()> value;
        std::function<bool()> open;
    };
    ComboArrow(TComponent* owner, Facts facts);

    std::string AccName() const override { return m_facts.title(); }
    std::string AccValue() const override { return m_facts.value(); }
    TAccState AccState() const override;

protected:
    TAccAction ClickAction() const override { return m_facts.open() ? TAccAction::Close : TAccAction::Open; }

private:
    Facts m_facts;
};
