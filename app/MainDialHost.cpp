#include "app/MainDialHost.h"

#include "app/Edition.h"
#include "app/ModePolicy.h"
#include "engine/AdvanceSettings.h"
#include "engine/CpuPowerMonitor.h"
#include "engine/ModeModel.h"
#include "engine/ModeRequest.h"
#include "hw/AbsVentryLib.h"
#include "kelp/vantor/BiosItems.h"
#include "kelp/vantor/PowerGear.h"
#include "screens/advancedsetting/AdvancedSettingsController.h"
#include "screens/dialogs/DialogService.h"

namespace {
// The fan library's answer for an item the board does not offer.
constexpr uint32_t kItemNotOffered = 255;
// Assumed when the firmware does not say which gear Auto runs.
constexpr int kDefaultAutoGear = 1;
} // namespace

MainDialHost::MainDialHost(std::function<void()> stopStartupRestore)
    : stopStartupRestore_(std::move(stopStartupRestore))
{
}

int MainDialHost::CurrentLevel()
{
    return CpuPowerMonitor::Instance().CurrentLevel();
}

bool MainDialHost::MayChoose(int level)
{
    return modepolicy::RefuseUserMode(level) == nullptr;
}

void MainDialHost::SetMode(int level)
{
    ::SetMode(level, true);
}

void MainDialHost::StopStartupRestore()
{
    stopStartupRestore_();
}

bool MainDialHost::IsAutoAllowedByBios()
{
    return CpuPowerMonitor::Instance().IsAutoAllowedByBios();
}

bool MainDialHost::IsTweakDisabled()
{
    return CpuPowerMonitor::Instance().IsTweakDisabled();
}

bool MainDialHost::IsCalibrationNeeded()
{
    return AdvanceSettings::Instance().IsCalibrationNeeded();
}

bool MainDialHost::HasValidThresholds()
{
    return kelp::PowerGear::Instance().LoadThresholds();
}

int MainDialHost::RunningAutoGear()
{
    uint32_t gear = 0;
    if (!kelp::PowerGear::Instance().GetItem(kelp::BiosItemId::kAutoGear, gear))
        return kDefaultAutoGear;
    return static_cast<int>(gear);
}

geardial::LampFacts MainDialHost::LampFactsFor(int level)
{
    geardial::LampFacts facts;
    facts.vgaSaving = CpuPowerMonitor::Instance().IsVgaSavingActive(level);
    ModeTuning tuning;
    if (AdvanceSettings::Instance().GetTuning(LevelToIndex(level), tuning)) {
        facts.spinDownTimeout = tuning.SpinDownTimeout;
        facts.fan = tuning.Fan;
    }
    if (kelp::AbsVentryLib* fans = kelp::AbsVentryLib::Registered())
        facts.fanControlOffered = fans->GetItem(kelp::BiosItemId::kCpuFanProfile) != kItemNotOffered ||
                                  fans->GetItem(kelp::BiosItemId::kChassisFanProfile) != kItemNotOffered;
    facts.workstation = IsWorkstationEdition();
    return facts;
}

int MainDialHost::Notice(const std::string& text)
{
    return DialogService::Instance().Notice(text);
}

int MainDialHost::ConfirmTweak()
{
    return DialogService::Instance().ConfirmTweak();
}

int MainDialHost::OfferCalibration(CalibrationOffer offer)
{
    DialogService& dialogs = DialogService::Instance();
    switch (offer) {
    case CalibrationOffer::BeforeSetting:
        return dialogs.CalibrationBeforeSetting();
    case CalibrationOffer::AfterSettingChanged:
        return dialogs.CalibrateAfterSettingChanged();
    case CalibrationOffer::Inform:
        break;
    }
    return dialogs.InformCalibration();
}

void MainDialHost::ShowCover(bool shown)
{
    if (shown)
        DialogService::Instance().ShowCover();
    else
        DialogService::Instance().HideCover();
}

int MainDialHost::ShowAdvancedSettings()
{
    return AdvancedSettingsController::Instance().ShowModal();
}

int MainDialHost::ConfirmChangeSetting()
{
    return DialogService::Instance().ConfirmChangeSetting();
}

void MainDialHost::SaveAdvancedSettings()
{
    AdvancedSettingsController::Instance().SaveToStore();
}

void MainDialHost::FinishAdvancedSettings(bool calibrationRequired)
{
    AdvancedSettingsController::Instance().Finish(calibrationRequired);
}
