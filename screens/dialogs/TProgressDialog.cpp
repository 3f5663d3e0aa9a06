#include "screens/dialogs/TProgressDialog.h"

#include "framework/TApplication.h"
#include "VtPackage/VtRegistration.h"
#include "framework/layout/LayoutReader.h"
#include "kelp/System/Language.h"
#include "screens/dialogs/DialogFonts.h"
#include "screens/dialogs/DialogKeys.h"
#include "screens/dialogs/ProgressBarDrawing.h"

TProgressDialog* ProgressDialog = nullptr;

namespace {
constexpr int kBarLeft = 34;
constexpr int kBarTop = 68;
constexpr int kBarHeight = 18;
} // namespace

TProgressDialog::TProgressDialog(TComponent* owner) : TForm(owner)
{
    RegisterVtComponents();
    THandlerTable handlers;
    handlers.Publish<TNotifyEvent>("FormShow", [this](TObject* sender) { FormShow(sender); });
    handlers.Publish<TNotifyEvent>("TimerTimer", [this](TObject* sender) { TimerTimer(sender); });
    handlers.Publish<TCloseEvent>("FormClose", [this](TObject* sender, TCloseAction& action) { FormClose(sender, action); });
    handlers.Publish<TNotifyEvent>("CancelButtonClick", [this](TObject* sender) { CancelButtonClick(sender); });
    handlers.Publish<TNotifyEvent>("CloseButtonClick", [this](TObject* sender) { CloseButtonClick(sender); });
    ReadOwnFormLayout(*this, handlers);
    Background = &LayoutComponent<TImage>(*this, "Background");
    CancelButton = &LayoutComponent<VtButtonTx>(*this, "CancelButton");
    MinimizeButton = &LayoutComponent<VtButton>(*this, "MinimizeButton");
    CloseButton = &LayoutComponent<VtButton>(*this, "CloseButton");
    ProgressBarHead = &LayoutComponent<TImage>(*this, "ProgressBarHead");
    ProgressBarBody = &LayoutComponent<TImage>(*this, "ProgressBarBody");
    ProgressBarTail = &LayoutComponent<TImage>(*this, "ProgressBarTail");
    ProgressBar = &LayoutComponent<TImage>(*this, "ProgressBar");
    Timer = &LayoutComponent<TTimer>(*this, "Timer");
    Message = &LayoutComponent<TLabel>(*this, "Message");

    shape_.Attach(Background);
    flicker_.Attach(this);
    ProgressBar->SetLeft(kBarLeft);
    ProgressBar->SetTop(kBarTop);
    ProgressBar->Picture().SetSize(dialogs::kProgressBarWidth, kBarHeight);
    ProgressBar->Picture().SetTransparentColor(ProgressBarHead->Picture().TransparentColor());
    barReading_ = std::make_unique<TAccessibleParts>(nullptr, TAccRole::ProgressBar, [this] { return Message->Caption(); },
                                                     [this] { return std::to_string(percent_) + "%"; });
    barReading_->SetParent(this);
    dialogs::UseDialogKeys(*this, {{CancelButton}, CloseButton, MinimizeButton, CancelButton});
    barReading_->SetBounds(kBarLeft, kBarTop, dialogs::kProgressBarWidth, kBarHeight);
}

TProgressDialog::~TProgressDialog()
{
    flicker_.Detach();
    DoDestroy();
}

void TProgressDialog::DrawPercent(int percent)
{
    const dialogs::ProgressBarPieces pieces{ProgressBarHead->Picture(), ProgressBarBody->Picture(),
                                            ProgressBarTail->Picture()};
    ProgressBar->SetWidth(dialogs::DrawProgressBar(ProgressBar->Picture(), pieces, percent));
    ProgressBar->Invalidate();
    if (percent != percent_) {
        percent_ = percent;
        barReading_->Changed();
    }
}

void TProgressDialog::SetLanguage()
{
    CancelButton->SetCaption(kelp::Translate("Cancel"));
    dialogs::UseLanguageCharset(kelp::GetLanguageName(), {&CancelButton->Font(), &Message->Font()});
}

void TProgressDialog::FormShow(TObject*)
{
    // Looked up when the dialog opens, not at start, where it waits hidden.
    SetLanguage();
    SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    Timer->SetInterval(steps_ > 0 ? totalMs_ / static_cast<unsigned>(steps_) : totalMs_);
    counter_ = 0;
    DrawPercent(0);
    Timer->SetEnabled(true);
}

void TProgressDialog::TimerTimer(TObject*)
{
    Timer->SetEnabled(false);
    // A tick queued before the form closed, or the program is ending.
    if (!Visible() || Application().Terminated())
        return;
    ++counter_;
    if (counter_ > steps_) {
        SetModalResult(mrOk);
        return;
    }
    if (callback_)
        callback_(counter_);
    // The step may have taken long enough for the user to cancel meanwhile.
    if (ModalResult() != mrNone || !Visible())
        return;
    DrawPercent(counter_ * 100 / steps_);
    Timer->SetEnabled(true);
}

void TProgressDialog::FormClose(TObject*, TCloseAction&)
{
    Timer->SetEnabled(false);
}

void TProgressDialog::CancelButtonClick(TObject*)
{
    Close();
}

void TProgressDialog::CloseButtonClick(TObject*)
{
    Close();
}
