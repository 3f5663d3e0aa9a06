#include "screens/vgaform/TVgaForm.h"

#include "app/ForceForeground.h"
#include "VtPackage/VtRegistration.h"
#include "framework/layout/LayoutReader.h"
#include "kelp/System/Language.h"
#include "screens/dialogs/DialogFonts.h"
#include "screens/dialogs/DialogKeys.h"
#include "screens/dialogs/DialogService.h"
#include "screens/vgaform/EventsPage.h"

TVgaForm* VgaForm = nullptr;

TVgaForm::TVgaForm(TComponent* owner) : TForm(owner)
{
    RegisterVtComponents();
    THandlerTable handlers;
    handlers.Publish<TNotifyEvent>("FormShow", [this](TObject* sender) { FormShow(sender); });
    handlers.Publish<TNotifyEvent>("HyperlinkClick", [this](TObject* sender) { HyperlinkClick(sender); });
    handlers.Publish<TMouseMoveEvent>("HyperlinkMouseMove", [this](TObject* sender, TShiftState shift, int x, int y) {
        HyperlinkMouseMove(sender, shift, x, y);
    });
    handlers.Publish<TMouseMoveEvent>("Label1MouseMove", [this](TObject* sender, TShiftState shift, int x, int y) {
        Label1MouseMove(sender, shift, x, y);
    });
    handlers.Publish<TMouseMoveEvent>("BackgroundMouseMove", [this](TObject* sender, TShiftState shift, int x, int y) {
        BackgroundMouseMove(sender, shift, x, y);
    });
    ReadOwnFormLayout(*this, handlers);
    Background = &LayoutComponent<TImage>(*this, "Background");
    MinimizeButton = &LayoutComponent<VtButton>(*this, "MinimizeButton");
    CloseButton = &LayoutComponent<VtButton>(*this, "CloseButton");
    ExitButton = &LayoutComponent<VtButtonTx>(*this, "ExitButton");
    Label1 = &LayoutComponent<TLabel>(*this, "Label1");
    Hyperlink = &LayoutComponent<TLabel>(*this, "Hyperlink");

    shape_.Attach(Background);
    flicker_.Attach(this);

    Hyperlink->SetCaption(kEventsPageAddress);
    Hyperlink->SetCursor(crHandPoint);
    CloseButton->OnClick = [this](TObject* sender) { CloseClick(sender); };
    ExitButton->OnClick = [this](TObject* sender) { CloseClick(sender); };
    dialogs::UseDialogKeys(*this, {{ExitButton}, CloseButton, MinimizeButton, ExitButton, ExitButton});
    // The link is a tab stop of its own; Enter or Space opens it as a click.
    link_ = std::make_unique<TFocusStandIn>(
        nullptr, TAccRole::Link,
        TFocusStandIn::Parts{[this] { return Hyperlink->Caption(); }, [] { return std::string(kEventsPageAddress); },
                             [this] { return Hyperlink->BoundsRect(); },
                             [this](WORD key, TShiftState) {
                                 if (key != VK_RETURN && key != VK_SPACE)
                                     return false;
                                 HyperlinkClick(Hyperlink);
                                 return true;
                             }});
    link_->SetParent(this);
    link_->SetBounds(Hyperlink->Left(), Hyperlink->Top(), Hyperlink->Width(), Hyperlink->Height());
}

TVgaForm::~TVgaForm()
{
    flicker_.Detach();
    DoDestroy();
}

void TVgaForm::SetTexts(const std::string& language)
{
    Label1->SetCaption(kelp::Translate("VGAWindow"));
    ExitButton->SetCaption(kelp::Translate("Exit"));
    // The address is plain ASCII in every language.
    dialogs::UseLanguageCharset(language, {&Label1->Font(), &ExitButton->Font()});
}

void TVgaForm::FormShow(TObject*)
{
    if (!textsLoaded_) {
        SetTexts(kelp::GetLanguageName());
        textsLoaded_ = true;
    }
    SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetLinkColor(kLinkColor);
    ForceForeground(Handle());
}

void TVgaForm::HyperlinkClick(TObject*)
{
    opener_(kEventsPageAddress);
}

void TVgaForm::HyperlinkMouseMove(TObject*, TShiftState, int, int)
{
    SetLinkColor(kLinkHotColor);
}

void TVgaForm::Label1MouseMove(TObject*, TShiftState, int, int)
{
    SetLinkColor(kLinkColor);
}

void TVgaForm::BackgroundMouseMove(TObject*, TShiftState, int, int)
{
    SetLinkColor(kLinkColor);
}

void TVgaForm::CloseClick(TObject*)
{
    Hide();
    DialogService::Instance().HideCover();
}

void TVgaForm::SetLinkColor(TColor color)
{
    // Every mouse move lands here; repaint only on a real change.
    if (Hyperlink->Font().Color() != color)
        Hyperlink->Font().SetColor(color);
}
