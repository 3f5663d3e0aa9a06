#include "screens/dialogs/DialogKeys.h"

#include "kelp/System/Language.h"

namespace dialogs {

void UseDialogKeys(TForm& form, const FormKeys& keys)
{
    for (VtButton* button : keys.buttons)
        button->SetTabStop(true);
    for (VtButton* button : {keys.closeButton, keys.minimizeButton})
        if (button)
            button->SetTabStop(true);
    if (keys.closeButton)
        keys.closeButton->SetAccName([] { return kelp::Translate(LANG_KEY("CloseWindow")); });
    if (keys.minimizeButton)
        keys.minimizeButton->SetAccName([] { return kelp::Translate(LANG_KEY("MinimizeWindow")); });
    form.SetDefaultButton(keys.defaultButton);
    form.SetCancelButton(keys.cancelButton);
    form.SetFocusCuesFollowKeyboard(true);
}

} // namespace dialogs
