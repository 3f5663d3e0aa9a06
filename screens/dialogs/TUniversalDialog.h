#pragma once
// The skinned message form: one message, a left and a right answer, and the
// close button (the right answer). Each use sets the message, both captions
// and whether the left button shows.

#include "VtPackage/VtButton.h"
#include "VtPackage/VtButtonTx.h"
#include "framework/TForm.h"
#include "framework/controls/TImage.h"
#include "framework/controls/TLabel.h"
#include "kelp/widget/Flicker.h"
#include "kelp/widget/RegionShapedForm.h"
#include "screens/dialogs/DialogPresenter.h"

class TUniversalDialog : public TForm, public DialogPresenter {
public:
    explicit TUniversalDialog(TComponent* owner);
    ~TUniversalDialog() override;

    int Ask(const std::string& message, const std::optional<std::string>& left, const std::string& right) override;
    bool IsShown() const override { return Visible(); }
    void Dismiss() override;

    TImage* Background;
    VtButtonTx* LeftButton;
    VtButtonTx* RightButton;
    TLabel* Message;
    VtButton* CloseButton;
    VtButton* MinimizeButton;

private:
    void FormShow(TObject* sender);

    kelp::RegionShapedForm shape_;
    kelp::Flicker flicker_;
};

// The message form created at start-up.
extern TUniversalDialog* UniversalDialog;
