#include "screens/energy/EnergyDisplay.h"

#include "framework/layout/LayoutReader.h"
#include "kelp/System/Language.h"
#include "screens/energy/Co2Reading.h"
#include "screens/energy/ResetTimes.h"
#include "screens/energy/SinceCaption.h"

namespace energy {

namespace {

constexpr int kPowerLeft = 59, kPowerTop = 80;
constexpr int kEnergyLeft = 59, kEnergyTop = 139;
constexpr int kCo2Left = 46, kCo2Top = 236;
// The digits and the unit beside them.
constexpr int kCo2ReadingWidth = 190, kCo2ReadingHeight = 22;
constexpr int kPowerReadingWidth = 130, kEnergyReadingWidth = 220, kReadingHeight = 24;
// The graphics-boost lamp is wider than the plain one and stays centred.
constexpr int kGpuLampShift = 9;

// The switch's caption area: the Total view's caption names the Current
// view and the other way round.
constexpr RECT kTotalViewCaption{25, 2, 125, 28};
constexpr RECT kCurrentViewCaption{30, 2, 110, 28};

template <typename T>
T& Part(TForm& form, const char* name)
{
    return LayoutComponent<T>(form, name);
}

const TBitmap& Picture(TForm& form, const char* name)
{
    return Part<TImage>(form, name).Picture();
}

void SetCaptionArea(VtButtonTx& button, const RECT& area)
{
    button.SetTextBounds(area.left, area.top, area.right - area.left, area.bottom - area.top);
}

} // namespace

EnergyDisplay::EnergyDisplay(TForm& mainWindow, TForm& cpuForm, EnergyDisplayHost& host,
                             const std::string& artworkFolder, const std::vector<TControl*>& dialImages)
    : mainWindow_(mainWindow),
      cpuForm_(cpuForm),
      host_(host),
      background_(Part<TImage>(mainWindow, "Background")),
      largeBk_(Part<TImage>(mainWindow, "LargeBk")),
      smallBk_(Part<TImage>(mainWindow, "SmallBk")),
      date_(Part<TLabel>(mainWindow, "Date")),
      reducedCo2Title_(Part<TLabel>(mainWindow, "ReducedCO2Title")),
      cpuEnergySavingTitle_(Part<TLabel>(cpuForm, "CpuEnergySavingTitle")),
      switchButton_(Part<VtButtonTx>(mainWindow, "SwitchButton")),
      resetButton_(Part<VtButton>(mainWindow, "ResetButton")),
      shrinkButton_(Part<VtCheckBox>(mainWindow, "ShrinkButton")),
      cpuButton_(Part<VtButton>(mainWindow, "CpuButton")),
      vgaButton_(Part<VtButton>(mainWindow, "VgaButton")),
      vgaLed_(Part<VtBar>(mainWindow, "VgaLed")),
      powerRow_(cpuForm, SharedDigitGlyphs(artworkFolder), Picture(mainWindow, "WattsBk")),
      energyRow_(cpuForm, SharedDigitGlyphs(artworkFolder), Picture(mainWindow, "MacroBk"),
                 Picture(mainWindow, "WattHrBk")),
      co2Row_(mainWindow, SharedDigitGlyphs(artworkFolder),
              {&Picture(mainWindow, "MgBk"), &Picture(mainWindow, "GBk"), &Picture(mainWindow, "KgBk")})
{
    powerRow_.Place(kPowerLeft, kPowerTop);
    energyRow_.Place(kEnergyLeft, kEnergyTop);
    co2Row_.Place(kCo2Left, kCo2Top);
    co2Reading_ = std::make_unique<TAccessibleParts>(
        nullptr, TAccRole::StaticText, [this] { return reducedCo2Title_.Caption(); },
        [this] {
            return Co2ReadingText(co2Row_.Digits().ShownText(), co2Row_.Unit(), since_ ? SinceDate(*since_) : "");
        });
    co2Reading_->SetParent(&mainWindow_);
    co2Reading_->SetBounds(kCo2Left, kCo2Top, kCo2ReadingWidth, kCo2ReadingHeight);
    co2Reading_->Hide();
    TLabel& powerTitle = Part<TLabel>(cpuForm, "CpuPowerTitle");
    powerReading_ = std::make_unique<TAccessibleParts>(
        nullptr, TAccRole::StaticText, [&powerTitle] { return powerTitle.Caption(); },
        [this] { return PowerReadingText(powerRow_.Digits().ShownText()); });
    energyReading_ = std::make_unique<TAccessibleParts>(
        nullptr, TAccRole::StaticText, [this] { return cpuEnergySavingTitle_.Caption(); },
        [this] { return EnergyReadingText(energyRow_.Digits().ShownText(), energyRow_.FactorShown()); });
    powerReading_->SetParent(&cpuForm_);
    powerReading_->SetBounds(kPowerLeft, kPowerTop, kPowerReadingWidth, kReadingHeight);
    energyReading_->SetParent(&cpuForm_);
    energyReading_->SetBounds(kEnergyLeft, kEnergyTop, kEnergyReadingWidth, kReadingHeight);

    switchButton_.OnClick = [this](TObject*) { SwitchButtonClick(); };
    resetButton_.OnClick = [this](TObject*) { ResetButtonClick(); };
    shrinkButton_.OnClick = [this](TObject*) { ShrinkButtonClick(); };
    cpuButton_.OnClick = [this](TObject*) { CpuButtonClick(); };
    vgaButton_.OnClick = [this](TObject*) { host_.ShowVgaForm(); };

    for (const char* name : {"ModeTitle", "CurrentModeName", "CpuStatusTitle", "TranquilityTitle",
                             "PerformanceTitle", "ConvenienceTitle", "ReliabilityTitle", "EnergySavingTitle",
                             "MoreSettingButton", "CalibrateButton", "ExitButton", "AutoButton", "TurboButton",
                             "NormalButton", "MedButton", "LowButton"})
        modeGroup_.push_back(&Part<TControl>(mainWindow, name));
    modeGroup_.insert(modeGroup_.end(), dialImages.begin(), dialImages.end());

    ShowSince(kTotalResetTime);
    if (host_.IsGraphicsBoostPresent())
        LoadGpuSkin(artworkFolder);
}

void EnergyDisplay::Attach()
{
    SetCaptionArea(switchButton_, kTotalViewCaption);
    powerRow_.SetVisible(true);
    energyRow_.SetVisible(true);
    ShowCo2(true);
}

void EnergyDisplay::Refresh()
{
    const bool cpuFormShown = cpuForm_.Visible();
    if (!mainWindow_.Visible() || (!cpuFormShown && !large_))
        return;
    const EnergyReadings readings = host_.Readings();
    if (cpuFormShown) {
        if (powerRow_.ShowValue(readings.boardPower))
            powerReading_->Changed();
        if (energyRow_.ShowValue(totalView_ ? readings.boardTotal : readings.boardCumulative))
            energyReading_->Changed();
    }
    if (large_) {
        const double saved = totalView_ ? readings.vgaTotal + readings.boardTotal
                                        : readings.vgaCumulative + readings.boardCumulative;
        if (co2Row_.ShowValue(saved * readings.co2PerWattHour))
            co2Reading_->Changed();
    }
}

void EnergyDisplay::SwitchButtonClick()
{
    totalView_ = !totalView_;
    if (totalView_) {
        switchButton_.SetText(kelp::Translate("Current"));
        reducedCo2Title_.SetCaption(kelp::Translate("TotalCO2Reduced"));
        ShowSince(kTotalResetTime);
        cpuEnergySavingTitle_.SetCaption(kelp::Translate("TotalCPUEnergySaved"));
        SetCaptionArea(switchButton_, kTotalViewCaption);
    } else {
        switchButton_.SetText(kelp::Translate("Total"));
        reducedCo2Title_.SetCaption(kelp::Translate("CO2Reduced"));
        ShowSince(kResetTime);
        cpuEnergySavingTitle_.SetCaption(kelp::Translate("CurrentCPUEnergySaved"));
        SetCaptionArea(switchButton_, kCurrentViewCaption);
    }
    date_.Show();
    resetButton_.SetVisible(!totalView_);
    Refresh();
}

void EnergyDisplay::ResetButtonClick()
{
    const std::optional<FILETIME> start = RestartCurrentPeriod();
    if (!start)
        return;
    SetSince(*start);
    host_.ClearCumulative();
    Refresh();
}

void EnergyDisplay::ShrinkButtonClick()
{
    large_ = !shrinkButton_.GetChecked();
    background_.SetPicture(large_ ? largeBk_.Picture() : smallBk_.Picture());
    host_.BackgroundChanged();
    SetEnergyGroupVisible(large_);
    ShowCo2(large_);
    MoveModeGroup(large_ ? kShrinkDistance : -kShrinkDistance);
    if (large_)
        Refresh();
}

void EnergyDisplay::CpuButtonClick()
{
    cpuForm_.SetVisible(!cpuForm_.Visible());
}

void EnergyDisplay::ShowSince(const char* name)
{
    if (const std::optional<FILETIME> start = ReadResetTime(name))
        SetSince(*start);
}

void EnergyDisplay::SetSince(const FILETIME& start)
{
    since_ = start;
    date_.SetCaption(SinceCaption(start));
    co2Reading_->Changed();
}

void EnergyDisplay::ShowCo2(bool visible)
{
    co2Row_.SetVisible(visible);
    co2Reading_->SetVisible(visible);
}

void EnergyDisplay::SetEnergyGroupVisible(bool visible)
{
    date_.SetVisible(visible);
    switchButton_.SetVisible(visible);
    // The Total view has nothing to reset.
    resetButton_.SetVisible(visible && !totalView_);
}

void EnergyDisplay::MoveModeGroup(int dy)
{
    for (TControl* control : modeGroup_)
        control->SetTop(control->Top() + dy);
}

void EnergyDisplay::LoadGpuSkin(const std::string& artworkFolder)
{
    vgaButton_.LoadBitmap(artworkFolder, "gpu_n.bmp", "gpu_d.bmp", "gpu_o.bmp", "gpu_un.bmp");
    vgaLed_.LoadBitmap(artworkFolder, "gpu_light_on.bmp", "", "gpu_light_off.bmp");
    vgaLed_.SetLeft(vgaLed_.Left() - kGpuLampShift);
}

} // namespace energy
