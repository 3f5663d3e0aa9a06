#include "screens/advancedsetting/TAdvancedSetting.h"

#include "VtPackage/VtRegistration.h"
#include "app/ForceForeground.h"
#include "framework/layout/LayoutReader.h"
#include "engine/ModeModel.h"
#include "hw/GraphicsBoost.h"
#include "kelp/System/Language.h"
#include "screens/dialogs/DialogFonts.h"
#include "screens/dialogs/DialogKeys.h"

TAdvancedSetting::TAdvancedSetting(TComponent* owner)
    : TAdvancedSetting(owner, kelp::GraphicsBoost::Instance().IsAvailable())
{
}

TAdvancedSetting::TAdvancedSetting(TComponent* owner, bool extended) : TForm(owner), extended_(extended)
{
    RegisterVtComponents();
    THandlerTable handlers;
    handlers.Publish<TNotifyEvent>("FormShow", [this](TObject* sender) { FormShow(sender); });
    ReadOwnFormLayout(*this, handlers);
    Background = &LayoutComponent<TImage>(*this, "Background");
    CloseButton = &LayoutComponent<VtButton>(*this, "CloseButton");
    MinimizeButton = &LayoutComponent<VtButton>(*this, "MinimizeButton");
    TurboTab = &LayoutComponent<VtRadioButton>(*this, "TurboTab");
    NormalTab = &LayoutComponent<VtRadioButton>(*this, "NormalTab");
    MediumTab = &LayoutComponent<VtRadioButton>(*this, "MediumTab");
    LowTab = &LayoutComponent<VtRadioButton>(*this, "LowTab");
    DefaultButton = &LayoutComponent<VtButtonTx>(*this, "DefaultButton");
    OkButton = &LayoutComponent<VtButtonTx>(*this, "OkButton");
    CancelButton = &LayoutComponent<VtButtonTx>(*this, "CancelButton");
    Arrow_n = &LayoutComponent<TImage>(*this, "Arrow_n");
    Arrow_d = &LayoutComponent<TImage>(*this, "Arrow_d");
    Arrow_o = &LayoutComponent<TImage>(*this, "Arrow_o");
    Arrow_un = &LayoutComponent<TImage>(*this, "Arrow_un");
    ComboBoxBottom = &LayoutComponent<TImage>(*this, "ComboBoxBottom");
    ComboBoxBody = &LayoutComponent<TImage>(*this, "ComboBoxBody");
    ComboBoxBk = &LayoutComponent<TImage>(*this, "ComboBoxBk");
    GrayAreaSave = &LayoutComponent<TImage>(*this, "GrayAreaSave");
    GraySliderSave = &LayoutComponent<TImage>(*this, "GraySliderSave");
    FormTitle = &LayoutComponent<TLabel>(*this, "FormTitle");
    Background_Spec = &LayoutComponent<TImage>(*this, "Background_Spec");
    Background_Basic = &LayoutComponent<TImage>(*this, "Background_Basic");
    GraySliderSave2 = &LayoutComponent<TImage>(*this, "GraySliderSave2");

    // The keyboard: the tabs one group, the buttons tab stops, Enter is OK.
    constexpr int kTabGroup = 1;
    VtRadioButton* const tabs[] = {TurboTab, NormalTab, MediumTab, LowTab};
    for (int index = 0; index < 4; ++index) {
        tabs[index]->SetTabStop(true);
        tabs[index]->SetTabGroup(kTabGroup);
        tabs[index]->SetPageTab(true);
        tabs[index]->SetAccName([index] { return kelp::Translate(LevelToNameKey(IndexToLevel(index))); });
    }
    dialogs::UseDialogKeys(*this, {{DefaultButton, OkButton, CancelButton}, CloseButton, MinimizeButton, OkButton});

    // The background is a copy, so the artwork images stay untouched and the
    // window takes the chosen picture's size and outline.
    Background->SetPicture(extended_ ? Background_Spec->Picture() : Background_Basic->Picture());
    shape_.Attach(Background);
    flicker_.Attach(this);
}

TAdvancedSetting::~TAdvancedSetting()
{
    flicker_.Detach();
    DoDestroy();
}

void TAdvancedSetting::SetLanguage()
{
    dialogs::UseLanguageCharset(kelp::GetLanguageName(),
                                {&DefaultButton->Font(), &OkButton->Font(), &CancelButton->Font(), &FormTitle->Font()});
    // The tabs show the modes' icons; their names come up under the mouse.
    VtRadioButton* const tabs[] = {TurboTab, NormalTab, MediumTab, LowTab};
    for (int index = 0; index < 4; ++index) {
        tabs[index]->SetHint(kelp::Translate(LevelToNameKey(IndexToLevel(index))));
        tabs[index]->SetShowHint(true);
    }
}

void TAdvancedSetting::FormShow(TObject*)
{
    // The language's fonts and the tabs' names are looked up when the form
    // opens, not at start, where it waits hidden.
    SetLanguage();
    if (onShow_)
        onShow_();
    SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ForceForeground(Handle());
}
