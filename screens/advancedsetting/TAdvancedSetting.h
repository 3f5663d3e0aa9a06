#pragma once
// The advanced-settings form: one tab per fixed mode, the Default, OK and
// Cancel buttons, and the artwork the rows copy their parts from (images
// that are never shown themselves). The rows are built on it at run time.
// The extended layout, for boards with the graphics boost, is taller and
// makes room for the graphics frequency row.

#include "VtPackage/VtButton.h"
#include "VtPackage/VtButtonTx.h"
#include "VtPackage/VtRadioButton.h"
#include "framework/TForm.h"
#include "framework/controls/TImage.h"
#include "framework/controls/TLabel.h"
#include "kelp/widget/Flicker.h"
#include "kelp/widget/RegionShapedForm.h"

#include <functional>

class TAdvancedSetting : public TForm {
public:
    // The layout follows the graphics boost: extended when its device is
    // present and its software installed.
    explicit TAdvancedSetting(TComponent* owner);
    // The layout chosen by the caller (tests and picture programs).
    TAdvancedSetting(TComponent* owner, bool extended);
    ~TAdvancedSetting() override;

    bool IsExtended() const { return extended_; }
    // Runs each time the form is shown, before it is brought to the front
    // (it replaces the layout's own show handler).
    void SetOnShow(std::function<void()> onShow) { onShow_ = std::move(onShow); }

    TImage* Background;
    VtButton* CloseButton;
    VtButton* MinimizeButton;
    VtRadioButton* TurboTab;
    VtRadioButton* NormalTab;
    VtRadioButton* MediumTab;
    VtRadioButton* LowTab;
    VtButtonTx* DefaultButton;
    VtButtonTx* OkButton;
    VtButtonTx* CancelButton;
    TImage* Arrow_n;
    TImage* Arrow_d;
    TImage* Arrow_o;
    TImage* Arrow_un;
    TImage* ComboBoxBottom;
    TImage* ComboBoxBody;
    TImage* ComboBoxBk;
    TImage* GrayAreaSave;
    TImage* GraySliderSave;
    TLabel* FormTitle;
    TImage* Background_Spec;
    TImage* Background_Basic;
    TImage* GraySliderSave2;

private:
    // The current language's character set on the texts, and the tabs' hints.
    void SetLanguage();
    void FormShow(TObject* sender);

    bool extended_;
    std::function<void()> onShow_;
    kelp::RegionShapedForm shape_;
    kelp::Flicker flicker_;
};
