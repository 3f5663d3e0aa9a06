#include "screens/geardial/GearDial.h"

#include "engine/ModeChangeCause.h"
#include "engine/ModeModel.h"
#include "kelp/System/Language.h"
#include "screens/geardial/ModeCaption.h"
#include "screens/geardial/MouseDrain.h"

namespace geardial {

namespace {

constexpr DWORD kFrameMs = 100;
// Clicks queued while the window was disabled are dropped for this long.
constexpr DWORD kDrainMs = 100;
constexpr int kYes = 1;
// Answers of the advanced-settings form.
constexpr int kSettingsOk = 1;
constexpr int kSettingsNeedCalibration = 6;

VtImage* NewLayerImage(TForm& window)
{
    auto* image = new VtImage(&window);
    image->SetParent(&window);
    image->SetAlphaChannel(true);
    image->SetAutoSize(true);
    return image;
}

std::string Text(const char* key)
{
    return kelp::Translate(key);
}

void SetLamp(VtBar* lamp, bool lit)
{
    if (lamp)
        lamp->SetEnabled(lit);
}

} // namespace

GearDial::GearDial(TForm& window, GearDialHost& host, const std::string& artworkFolder)
    : window_(window), host_(host), gear_(nullptr), chart_(nullptr)
{
    art_.Load(artworkFolder);
    gear_ = NewLayerImage(window);
    gear_->SetPicture(art_.gear);
    gear_->SetTop(kGearMarkerTop);
    gear_->BringToFront();
    chart_ = NewLayerImage(window);
    chart_->SetBounds(kChartLeft, kChartTop, chart_->Width(), chart_->Height());
    ShowChart(StillChart(shown_));
}

void GearDial::Attach(const DialControls& controls)
{
    controls_ = controls;
    for (VtButtonTx* button : {controls.moreSetting, controls.calibrate})
        if (button)
            button->SetTextBounds(0, 0, 130, 30);
    for (VtRadioButton* button : controls.modeButtons) {
        // Each button's Tag is the gear level it stands for.
        button->OnClick = [this](TObject* sender) { Select(static_cast<int>(static_cast<TComponent*>(sender)->Tag())); };
        button->OnMouseEnter = [this](TObject* sender) { MouseEntered(sender); };
        button->OnMouseLeave = [this](TObject* sender) { MouseLeft(sender); };
    }
    if (controls.moreSetting)
        controls.moreSetting->OnClick = [this](TObject*) { MoreSettings(); };
    if (controls.calibrate)
        controls.calibrate->OnClick = [this](TObject*) { host_.OfferCalibration(GearDialHost::CalibrationOffer::Inform); };
    Refresh();
}

namespace {
// The dial asks the user.
class DialQuestions final : public AutoQuestions {
public:
    explicit DialQuestions(GearDialHost& host) : host_(host) {}
    void Unsupported() override { host_.Notice(Text("AutoModeUnavaliable")); }
    bool ConfirmTweak() override { return host_.ConfirmTweak() == kYes; }
    bool Calibrate(Calibration reason) override
    {
        using Offer = GearDialHost::CalibrationOffer;
        return host_.OfferCalibration(reason == Calibration::AfterSettingChanged ? Offer::AfterSettingChanged
                                                                                 : Offer::BeforeSetting) == kYes;
    }

private:
    GearDialHost& host_;
};
} // namespace

bool GearDial::AutoAccepted()
{
    DialQuestions questions(host_);
    return CheckAuto(host_, questions) == AutoObstacle::None;
}

void GearDial::Select(int level)
{
    if (!host_.MayChoose(level) || (level == GearLevel::Auto && !AutoAccepted())) {
        Refresh();
        return;
    }
    const int from = DialIndexOf(host_.CurrentLevel());
    const int to = DialIndexOf(level);
    MoveGearMarker(to);
    host_.StopStartupRestore();
    host_.SetMode(level);
    CountModeChange(ModeChangeCause::User);
    Animate(from, to);
}

void GearDial::MoreSettings()
{
    host_.ShowCover(true);
    const int result = host_.ShowAdvancedSettings();
    host_.ShowCover(false);
    bool calibrationRequired = false;
    if (result == kSettingsNeedCalibration) {
        if (host_.ConfirmChangeSetting() != kYes)
            return;
        calibrationRequired = true;
    } else if (result != kSettingsOk) {
        return;
    }
    host_.SaveAdvancedSettings();
    host_.SetMode(host_.CurrentLevel());
    host_.FinishAdvancedSettings(calibrationRequired);
}

void GearDial::Animate(int from, int to)
{
    // No second choice may start while the chart fades.
    window_.SetEnabled(false);
    for (int frame = 0; frame < kTransitionFrames; ++frame) {
        ShowChart(TransitionFrame(from, to, frame));
        Sleep(kFrameMs);
    }
    window_.SetEnabled(true);
    DrainMouseMessages(kDrainMs);
}

void GearDial::Refresh()
{
    const int level = host_.CurrentLevel();
    const int index = DialIndexOf(level);
    if (VtRadioButton* button = controls_.modeButtons[index])
        button->SetChecked(true);
    MoveGearMarker(index);
    shown_ = index;
    ShowChart(StillChart(index));
    if (controls_.modeName && !holdNote_.empty()) {
        controls_.modeName->SetCaption(holdNote_);
    } else if (controls_.modeName) {
        const int gear = level == GearLevel::Auto ? host_.RunningAutoGear() : 0;
        controls_.modeName->SetCaption(ModeCaption(level, gear, [](const std::string& key) {
            return kelp::Translate(key.c_str());
        }));
    }
    RefreshLamps(level);
}

void GearDial::SetHoldNote(const std::string& note)
{
    if (note == holdNote_)
        return;
    holdNote_ = note;
    Refresh();
}

void GearDial::RefreshVgaLamp()
{
    const int level = host_.CurrentLevel();
    SetLamp(controls_.vgaLed, EvaluateLamps(level, host_.LampFactsFor(level)).vga);
}

void GearDial::RefreshLamps(int level)
{
    const LampFacts facts = host_.LampFactsFor(level);
    const LampStates lamps = EvaluateLamps(level, facts);
    SetLamp(controls_.cpuLed, lamps.cpu);
    SetLamp(controls_.vgaLed, lamps.vga);
    SetLamp(controls_.driveLed, lamps.drive);
    SetLamp(controls_.fanLed, lamps.fan);
    if (facts.workstation) {
        SetLamp(controls_.chipLed, lamps.chip);
        SetLamp(controls_.memoryLed, lamps.memory);
    }
}

void GearDial::ShowChart(const ChartLayers& layers)
{
    // Composed when painted: the window hidden in the tray never is.
    DeferChart(art_, layers, chart_->Picture());
    chart_->Repaint();
}

void GearDial::MoveGearMarker(int index)
{
    gear_->SetLeft(GearMarkerLeft(index));
}

int GearDial::IndexOf(TObject* button) const
{
    for (int index = 0; index < kModeCount; ++index)
        if (controls_.modeButtons[index] == button)
            return index;
    return kFallbackIndex;
}

void GearDial::MouseEntered(TObject* sender)
{
    hovered_ = sender;
    const int index = IndexOf(sender);
    if (index != shown_)
        ShowChart(HoverChart(shown_, index));
}

void GearDial::MouseLeft(TObject* sender)
{
    if (sender != hovered_)
        return;
    hovered_ = nullptr;
    Refresh();
}

} // namespace geardial
