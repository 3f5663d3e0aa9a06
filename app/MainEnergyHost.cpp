#include "app/MainEnergyHost.h"

#include "app/MainSkin.h"
#include "engine/CpuPowerMonitor.h"
#include "hw/GraphicsBoost.h"
#include "screens/dialogs/DialogService.h"

energy::EnergyReadings MainEnergyHost::Readings()
{
    const CpuPowerMonitor& monitor = CpuPowerMonitor::Instance();
    energy::EnergyReadings readings;
    readings.boardPower = monitor.BoardPower();
    readings.boardTotal = monitor.BoardTotalSaving();
    readings.boardCumulative = monitor.BoardCumulativeSaving();
    readings.vgaTotal = monitor.VgaTotalSaving();
    readings.vgaCumulative = monitor.VgaCumulativeSaving();
    readings.co2PerWattHour = monitor.Ledger().Co2PerWattHour();
    return readings;
}

void MainEnergyHost::ClearCumulative()
{
    CpuPowerMonitor::Instance().ClearCumulative();
}

bool MainEnergyHost::IsGraphicsBoostPresent()
{
    return kelp::GraphicsBoost::Instance().IsAvailable();
}

void MainEnergyHost::ShowVgaForm()
{
    DialogService::Instance().ShowVgaForm();
}

void MainEnergyHost::BackgroundChanged()
{
    skin_.FitToBackground();
}
