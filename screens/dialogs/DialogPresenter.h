#pragma once
// How a dialog reaches the user: one message with one or two answers. The
// left answer is 1, the right one (and closing the dialog) 2.

#include <optional>
#include <string>

class DialogPresenter {
public:
    virtual ~DialogPresenter() = default;

    // Shows the message modally; without a left caption only the right
    // answer is offered.
    virtual int Ask(const std::string& message, const std::optional<std::string>& left, const std::string& right) = 0;
    // True while a dialog is up.
    virtual bool IsShown() const = 0;
    // Ends the dialog that is up as its close button would (answer 2); does
    // nothing when none is up.
    virtual void Dismiss() = 0;
};
