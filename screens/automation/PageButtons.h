#pragma once
// The captioned buttons of the automation page that hold a state: a toggle
// (on or off, the caption lit when on), a page tab (the chosen tab's
// caption lit) and the mode choice (a click or an arrow key moves to the
// next mode, the caption names the mode). Each tells screen readers what it
// is: a check box, a page tab, a combo box.

#include "VtPackage/VtButtonTx.h"

#include <string>
#include <vector>

// Lit captions use the accent colour, the others the text colour.
void LightCaption(VtButtonTx& button, bool lit);

class TToggleButton : public VtButtonTx {
public:
    explicit TToggleButton(TComponent* owner);

    bool GetChecked() const override { return checked_; }
    // Shows the state; fires no click.
    void SetChecked(bool checked) override;
    // The captions of both states; empty keeps the caption as it is.
    void SetStateCaptions(const std::string& on, const std::string& off);
    // A click toggles, then tells OnClick.
    void Click() override;
    TAccState AccState() const override;

protected:
    TAccAction ClickAction() const override { return checked_ ? TAccAction::Uncheck : TAccAction::Check; }

private:
    void ShowState();

    bool checked_ = false;
    std::string on_;
    std::string off_;
};

class TPageTab : public VtButtonTx {
public:
    explicit TPageTab(TComponent* owner);

    bool GetChecked() const override { return chosen_; }
    void SetChecked(bool chosen) override;
    TAccState AccState() const override;

protected:
    TAccAction ClickAction() const override { return TAccAction::Select; }

private:
    bool chosen_ = false;
};

class TModeChoice : public VtButtonTx {
public:
    explicit TModeChoice(TComponent* owner);

    // The names of the choices, in their order.
    void SetChoices(std::vector<std::string> names);
    int Choice() const { return choice_; }
    // Shows a choice; fires no change.
    void SetChoice(int choice);
    // A click moves on to the next choice, then tells OnClick.
    void Click() override;
    std::string AccValue() const override;

protected:
    TAccAction ClickAction() const override { return TAccAction::Select; }
    void KeyDown(WORD& key, TShiftState shift) override;

private:
    void Step(int by);

    std::vector<std::string> names_;
    int choice_ = 0;
};
