#include "screens/dialogs/TCoverDialog.h"

#include "framework/layout/LayoutReader.h"
#include "screens/dialogs/CoverPicture.h"

TCoverDialog* CoverDialog = nullptr;

TCoverDialog::TCoverDialog(TComponent* owner) : TForm(owner)
{
    THandlerTable handlers;
    handlers.Publish<TNotifyEvent>("FormShow", [this](TObject* sender) { FormShow(sender); });
    ReadOwnFormLayout(*this, handlers);
    Background = &LayoutComponent<TImage>(*this, "Background");
}

TCoverDialog::~TCoverDialog()
{
    DoDestroy();
}

void TCoverDialog::Prepare(TForm& mainForm, TImage& mainBackground)
{
    mainForm_ = &mainForm;
    mainBackground_ = &mainBackground;
    SetOwnerWindow(mainForm.Handle());
    RebuildPicture();
    shape_.SetAlpha(dialogs::kCoverAlpha);
    shape_.Attach(Background);
    shape_.SetDraggable(false);
    shape_.SetAlphaEnabled(true);
}

void TCoverDialog::RebuildPicture()
{
    dialogs::BuildCoverPicture(mainBackground_->Picture(), Background->Picture());
    SetClientWidth(Background->Width());
    SetClientHeight(Background->Height());
}

void TCoverDialog::FormShow(TObject*)
{
    if (!mainForm_)
        return;
    RebuildPicture();
    // Cuts the shape again from the new picture, at the cover's opacity.
    shape_.SetAlphaEnabled(true);
    SetBounds(mainForm_->Left(), mainForm_->Top(), Width(), Height());
}
