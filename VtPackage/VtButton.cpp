#include "VtPackage/VtButton.h"

#include "VtPackage/LoadStateBitmaps.h"
#include "framework/TForm.h"

VtButton::VtButton(TComponent* owner) : VtCustomControl(owner, false, 4), m_appearance(*this, 0)
{
    SetControlStyle(ControlStyle() & ~csDoubleClicks);
    SetAccRole(TAccRole::PushButton);
}

bool VtButton::LoadBitmap(const std::string& folder, const std::string& raised, const std::string& sunken,
                          const std::string& focused, const std::string& disabled)
{
    return LoadStateBitmaps(m_appearance, folder, {raised, sunken, focused, disabled}, m_appearance.FirstIndex());
}

void VtButton::Click()
{
    if (TForm* form = GetParentForm(this))
        form->SetModalResult(m_modalResult);
    VtCustomControl::Click();
}

void VtButton::KeyPress(char& key)
{
    VtCustomControl::KeyPress(key);
    if (key == ' ')
        Click();
}
