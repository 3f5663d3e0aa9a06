#pragma once
// The keyboard on a skinned form, as on a standard dialog: its buttons are
// tab stops, the focus cues wait for the keyboard, the title bar's close
// and minimise buttons carry their names for screen readers, Enter presses
// the default button and Escape the cancel button (a modal form without
// one closes).

#include "VtPackage/VtButton.h"
#include "framework/TForm.h"

#include <initializer_list>

namespace dialogs {

struct FormKeys {
    std::initializer_list<VtButton*> buttons;  // in any order; Tab follows their places
    VtButton* closeButton = nullptr;
    VtButton* minimizeButton = nullptr;
    VtButton* defaultButton = nullptr;
    VtButton* cancelButton = nullptr;
};

void UseDialogKeys(TForm& form, const FormKeys& keys);

} // namespace dialogs
