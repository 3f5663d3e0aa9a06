#include "screens/cpuform/TCpuForm.h"

#include "app/ForceForeground.h"
#include "VtPackage/VtRegistration.h"
#include "framework/TApplication.h"
#include "framework/layout/LayoutReader.h"
#include "kelp/System/Language.h"
#include "screens/cpuform/CentreOver.h"
#include "screens/dialogs/DialogFonts.h"
#include "screens/dialogs/DialogKeys.h"

TCpuForm* CpuForm = nullptr;

TCpuForm::TCpuForm(TComponent* owner) : TForm(owner)
{
    RegisterVtComponents();
    THandlerTable handlers;
    handlers.Publish<TNotifyEvent>("FormShow", [this](TObject* sender) { FormShow(sender); });
    handlers.Publish<TNotifyEvent>("ExitButtonClick", [this](TObject* sender) { ExitButtonClick(sender); });
    handlers.Publish<TNotifyEvent>("CloseButtonClick", [this](TObject* sender) { CloseButtonClick(sender); });
    ReadOwnFormLayout(*this, handlers);
    Background = &LayoutComponent<TImage>(*this, "Background");
    ExitButton = &LayoutComponent<VtButtonTx>(*this, "ExitButton");
    CpuPowerTitle = &LayoutComponent<TLabel>(*this, "CpuPowerTitle");
    CpuEnergySavingTitle = &LayoutComponent<TLabel>(*this, "CpuEnergySavingTitle");
    CloseButton = &LayoutComponent<VtButton>(*this, "CloseButton");
    MinimizeButton = &LayoutComponent<VtButton>(*this, "MinimizeButton");

    shape_.Attach(Background);
    flicker_.Attach(this);
    // Enter and Escape both leave, as Exit does.
    dialogs::UseDialogKeys(*this, {{ExitButton}, CloseButton, MinimizeButton, ExitButton, ExitButton});

    SetTexts(kelp::GetLanguageName());
}

TCpuForm::~TCpuForm()
{
    flicker_.Detach();
    DoDestroy();
}

void TCpuForm::SetTexts(const std::string& language)
{
    // The Total view is the one the program starts in.
    CpuPowerTitle->SetCaption(kelp::Translate("CurrentCPUPower"));
    CpuEnergySavingTitle->SetCaption(kelp::Translate("TotalCPUEnergySaved"));
    ExitButton->SetCaption(kelp::Translate("Exit"));
    dialogs::UseLanguageCharset(language, {&CpuPowerTitle->Font(), &CpuEnergySavingTitle->Font(), &ExitButton->Font()});
}

void TCpuForm::FormShow(TObject*)
{
    SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (TForm* main = Application().MainForm(); main && main != this) {
        const RECT host{main->Left(), main->Top(), main->Left() + main->Width(), main->Top() + main->Height()};
        const POINT place = cpuform::CentreOver(host, Width(), Height());
        SetBounds(place.x, place.y, Width(), Height());
    }
    if (refresh_)
        refresh_();
    ForceForeground(Handle());
}

void TCpuForm::ExitButtonClick(TObject*)
{
    Hide();
}

void TCpuForm::CloseButtonClick(TObject*)
{
    Hide();
}
