#include "app/MainSkin.h"

#include "app/Edition.h"
#include "app/MainAccess.h"
#include "VtPackage/VtFocusCue.h"
#include "framework/TApplication.h"
#include "framework/system/ExecutableFolder.h"
#include "framework/layout/LayoutReader.h"
#include "kelp/System/Language.h"

#include <memory>

namespace {

// Where the workstation mark sits on both backgrounds.
constexpr int kWorkstationMarkLeft = 25;
constexpr int kWorkstationMarkTop = 41;

template <typename T>
T* Part(TForm& form, const char* name)
{
    return &LayoutComponent<T>(form, name);
}

} // namespace

MainSkin::MainSkin(TForm& form)
    : form_(form),
      background_(Part<TImage>(form, "Background")),
      largeBk_(Part<TImage>(form, "LargeBk")),
      smallBk_(Part<TImage>(form, "SmallBk")),
      closeButton_(Part<VtButton>(form, "CloseButton")),
      minimizeButton_(Part<VtButton>(form, "MinimizeButton")),
      vgaButton_(Part<VtButton>(form, "VgaButton"))
{
    texts_.subTitle = Part<TLabel>(form, "SubTitle");
    texts_.modeTitle = Part<TLabel>(form, "ModeTitle");
    texts_.cpuStatusTitle = Part<TLabel>(form, "CpuStatusTitle");
    texts_.tranquilityTitle = Part<TLabel>(form, "TranquilityTitle");
    texts_.performanceTitle = Part<TLabel>(form, "PerformanceTitle");
    texts_.reliabilityTitle = Part<TLabel>(form, "ReliabilityTitle");
    texts_.convenienceTitle = Part<TLabel>(form, "ConvenienceTitle");
    texts_.energySavingTitle = Part<TLabel>(form, "EnergySavingTitle");
    texts_.reducedCO2Title = Part<TLabel>(form, "ReducedCO2Title");
    texts_.currentModeName = Part<TLabel>(form, "CurrentModeName");
    texts_.date = Part<TLabel>(form, "Date");
    texts_.moreSettingButton = Part<VtButtonTx>(form, "MoreSettingButton");
    texts_.calibrateButton = Part<VtButtonTx>(form, "CalibrateButton");
    texts_.switchButton = Part<VtButtonTx>(form, "SwitchButton");
    texts_.exitButton = Part<VtButtonTx>(form, "ExitButton");
    texts_.resetButton = Part<VtButton>(form, "ResetButton");

    const char* const modeButtons[] = {"AutoButton", "TurboButton", "NormalButton", "MedButton", "LowButton"};
    for (size_t i = 0; i < dial_.modeButtons.size(); ++i) {
        dial_.modeButtons[i] = Part<VtRadioButton>(form, modeButtons[i]);
        texts_.modeButtons[i] = dial_.modeButtons[i];
    }
    dial_.modeName = texts_.currentModeName;
    dial_.cpuLed = Part<VtBar>(form, "CpuLed");
    dial_.vgaLed = Part<VtBar>(form, "VgaLed");
    dial_.chipLed = Part<VtBar>(form, "ChipLed");
    dial_.memoryLed = Part<VtBar>(form, "MemoryLed");
    dial_.driveLed = Part<VtBar>(form, "DriveLed");
    dial_.fanLed = Part<VtBar>(form, "FanLed");
    dial_.moreSetting = texts_.moreSettingButton;
    dial_.calibrate = texts_.calibrateButton;
}

void MainSkin::SetUp()
{
    if (IsWorkstationEdition())
        ApplyWorkstationMarks();
    LoadEnergyViewTexts(texts_);
    const std::string language = kelp::GetLanguageName();
    ApplyLanguageFonts(language, texts_);
    NameMainControls(form_);
    MakeMainControlsKeyboardReachable(form_);
    UseAccessibleTexts(language);
    UseVtFocusCue(ExecutableFolder() + "Resource\\");

    background_->SetPicture(largeBk_->Picture());
    shape_.Attach(background_);
    flicker_.Attach(&form_);
}

void MainSkin::LoadTextsForShow()
{
    // Each lookup reads the language files again; a window started in the
    // tray may never be shown.
    if (textsLoaded_)
        return;
    textsLoaded_ = true;
    LoadMainTexts(texts_);
}

void MainSkin::FitToBackground()
{
    // A size change through the window's size guard, which makes the window
    // the picture's size plus its frame.
    SetWindowPos(form_.Handle(), nullptr, 0, 0, form_.Width(), form_.Height(),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    shape_.ApplyShape(&form_, background_);
}

void MainSkin::ApplyWorkstationMarks()
{
    Application().SetTitle(ApplicationTitle());
    // The mark is read now, so that a broken file shows at start as before;
    // it is drawn when a background's pixels are first read, which leaves
    // both large skins unread while the window waits hidden in the tray.
    const auto mark = std::make_shared<TBitmap>();
    mark->LoadFromFile(ResourceFolder() + "ws.bmp");
    for (TImage* background : {largeBk_, smallBk_})
        background->Picture().ApplyToPixels(
            [mark](TBitmap& picture) { picture.Canvas().Draw(kWorkstationMarkLeft, kWorkstationMarkTop, *mark); });
    dial_.chipLed->SetEnabled(false);
    dial_.memoryLed->SetEnabled(false);
}
