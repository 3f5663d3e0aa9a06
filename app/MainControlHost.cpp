#include "app/MainControlHost.h"

#include "app/MainForm.h"
#include "app/StartupChecks.h"
#include "app/TrayController.h"
#include "engine/AdvanceSettings.h"
#include "engine/CpuPowerMonitor.h"
#include "screens/advancedsetting/AdvancedSettingsController.h"
#include "screens/advancedsetting/TAdvancedSetting.h"
#include "screens/dialogs/DialogService.h"
#include "screens/dialogs/TProgressDialog.h"
#include "policy/Policies.h"
#include "screens/energy/ResetTimes.h"

namespace {

uint64_t PeriodStart(const char* name)
{
    const std::optional<FILETIME> time = energy::ReadResetTime(name);
    return time ? (uint64_t(time->dwHighDateTime) << 32) | time->dwLowDateTime : 0;
}

} // namespace

MainControlHost::MainControlHost(TMainForm& window)
    : window_(window), dial_([&window] { window.CancelStartupRestore(); })
{
}

bool MainControlHost::IsCalibrationManaged()
{
    return policy::CurrentPolicies().CalibrationOff();
}

bool MainControlHost::IsOverclocked()
{
    return CpuPowerMonitor::Instance().IsOverclocked();
}

bool MainControlHost::IsConflictingUtilityRunning()
{
    return IsSuiteRunning() || IsSplintVisible();
}

bool MainControlHost::IsDialogShown()
{
    return DialogService::Instance().IsDialogShown() || (AdvancedSetting && AdvancedSetting->Visible());
}

void MainControlHost::FillReadings(kelp::control::Status& status)
{
    using namespace kelp::control;
    CpuPowerMonitor& monitor = CpuPowerMonitor::Instance();
    status.cpuPowerW = monitor.BoardPower();
    status.vgaPowerW = monitor.VgaPower();
    status.boardTotalWh = monitor.BoardTotalSaving();
    status.boardCurrentWh = monitor.BoardCumulativeSaving();
    status.vgaTotalWh = monitor.VgaTotalSaving();
    status.vgaCurrentWh = monitor.VgaCumulativeSaving();
    status.co2PerWattHour = monitor.Ledger().Co2PerWattHour();
    const std::pair<bool, uint32_t> flags[] = {
        {monitor.IsVgaConnected(), kVgaConnected},
        {monitor.IsVgaSyncEnabled(), kVgaSyncEnabled},
        {monitor.IsVgaOrdunSupported(), kVgaOrdunSupported},
        {monitor.IsVgaAutoSupported(), kVgaAutoSupported},
        {monitor.IsVgaSavingActive(int(status.level)), kVgaSavingActive},
    };
    for (const auto& [set, flag] : flags)
        if (set)
            status.flags |= flag;
    status.totalSince = PeriodStart(energy::kTotalResetTime);
    status.currentSince = PeriodStart(energy::kResetTime);
}

bool MainControlHost::IsModeSettled()
{
    return AdvanceSettings::Instance().IsGear_FlagClear();
}

void MainControlHost::RefreshModeDisplay()
{
    TrayController::Instance().Refresh();
    window_.Dial().Refresh();
}

int MainControlHost::RunCalibration()
{
    return DialogService::Instance().RunCalibration();
}

void MainControlHost::CalibrationProgress(uint32_t& step, uint32_t& steps)
{
    step = uint32_t(ProgressDialog->Counter());
    steps = uint32_t(ProgressDialog->Steps());
}

void MainControlHost::CancelCalibration()
{
    if (ProgressDialog->Visible())
        ProgressDialog->CancelButton->Click();
}

const history::SavingsHistory& MainControlHost::History()
{
    return CpuPowerMonitor::Instance().Ledger().History();
}
