#pragma once
// The translucent dark cover laid exactly over the main window while a
// dialog is up. It takes the main window's outline anew at each show, so it
// follows the window when it has been shrunk or grown.

#include "framework/TForm.h"
#include "framework/controls/TImage.h"
#include "kelp/widget/LayeredShapedForm.h"

class TCoverDialog : public TForm {
public:
    explicit TCoverDialog(TComponent* owner);
    ~TCoverDialog() override;

    // Once, after the main window exists: the cover's picture, shape and
    // alpha, and the main window as its owner. `mainBackground` is the main
    // window's background image.
    void Prepare(TForm& mainForm, TImage& mainBackground);

    TImage* Background;

private:
    void FormShow(TObject* sender);
    void RebuildPicture();

    TForm* mainForm_ = nullptr;
    TImage* mainBackground_ = nullptr;
    kelp::LayeredShapedForm shape_;
};

// The cover created at start-up.
extern TCoverDialog* CoverDialog;
