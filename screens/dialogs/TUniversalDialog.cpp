#include "screens/dialogs/TUniversalDialog.h"

#include "app/ForceForeground.h"
#include "VtPackage/VtRegistration.h"
#include "framework/layout/LayoutReader.h"
#include "kelp/System/Language.h"
#include "screens/dialogs/DialogFonts.h"
#include "screens/dialogs/DialogKeys.h"

TUniversalDialog* UniversalDialog = nullptr;

TUniversalDialog::TUniversalDialog(TComponent* owner) : TForm(owner)
{
    RegisterVtComponents();
    THandlerTable handlers;
    handlers.Publish<TNotifyEvent>("FormShow", [this](TObject* sender) { FormShow(sender); });
    ReadOwnFormLayout(*this, handlers);
    Background = &LayoutComponent<TImage>(*this, "Background");
    LeftButton = &LayoutComponent<VtButtonTx>(*this, "LeftButton");
    RightButton = &LayoutComponent<VtButtonTx>(*this, "RightButton");
    Message = &LayoutComponent<TLabel>(*this, "Message");
    CloseButton = &LayoutComponent<VtButton>(*this, "CloseButton");
    MinimizeButton = &LayoutComponent<VtButton>(*this, "MinimizeButton");

    dialogs::UseDialogKeys(*this, {{LeftButton, RightButton}, CloseButton, MinimizeButton});

    shape_.Attach(Background);
    flicker_.Attach(this);

    const std::string language = kelp::GetLanguageName();
    dialogs::UseLanguageCharset(language, {&LeftButton->Font(), &RightButton->Font(), &Message->Font()});
    dialogs::UseLanguageButtonHeight(language, {&LeftButton->Font(), &RightButton->Font()});
}

TUniversalDialog::~TUniversalDialog()
{
    flicker_.Detach();
    DoDestroy();
}

int TUniversalDialog::Ask(const std::string& message, const std::optional<std::string>& left, const std::string& right)
{
    Message->SetCaption(message);
    // The window text carries the message too, for screen readers and
    // anything else that reads windows rather than pixels.
    SetCaption(message);
    LeftButton->SetVisible(left.has_value());
    if (left)
        LeftButton->SetCaption(*left);
    RightButton->SetCaption(right);
    // Enter takes the left answer where there is one.
    SetDefaultButton(left ? LeftButton : RightButton);
    return ShowModal() == mrOk ? mrOk : mrCancel;
}

void TUniversalDialog::Dismiss()
{
    // Closing the modal form cancels it.
    if (Visible())
        Close();
}

void TUniversalDialog::FormShow(TObject*)
{
    SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ForceForeground(Handle());
}
