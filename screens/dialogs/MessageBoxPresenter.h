#pragma once
// Dialogs as standard message boxes whose buttons carry the dialog's own
// captions.

#include "screens/dialogs/DialogPresenter.h"

#include <windows.h>

class MessageBoxPresenter final : public DialogPresenter {
public:
    int Ask(const std::string& message, const std::optional<std::string>& left, const std::string& right) override;
    bool IsShown() const override { return shown_ > 0; }

private:
    int shown_ = 0;
};
