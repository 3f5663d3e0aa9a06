#include "screens/dialogs/TCoverDialog.h"

#include "framework/layout/LayoutReader.h"
#include "screens/dialogs/CoverPicture.h"

#include <memory>

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
    // Built when it is drawn or shaped: a cover that is never shown reads
    // no pixel of the main window's picture.
    const TBitmap& main = mainBackground_->Picture();
    TPictureHeader header;
    header.width = main.Width();
    header.height = main.Height();
    TImage* mainBackground = mainBackground_;
    Background->Picture().Defer(header, std::make_shared<const TPixelSource>([mainBackground](TBitmap& cover) {
                                    dialogs::BuildCoverPicture(mainBackground->Picture(), cover);
                                }));
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
