#include "app/StartupRestore.h"

#include "app/AutoAllowed.h"
#include "engine/AdvanceSettings.h"
#include "engine/CpuPowerMonitor.h"
#include "engine/ModeModel.h"
#include "engine/ModeRequest.h"
#include "framework/TTimer.h"

StartupRestore::StartupRestore(TTimer& timer) : timer_(timer) {}

void StartupRestore::Run(bool bootFlag)
{
    AdvanceSettings& settings = AdvanceSettings::Instance();
    CpuPowerMonitor& monitor = CpuPowerMonitor::Instance();
    if (monitor.IsOverclocked()) {
        settings.ClearCheckSafe_Flag();
        settings.ResetLastMode();
        return;
    }
    if (settings.IsCheckSafe_FlagClear() && bootFlag) {
        pendingLevel_ = settings.ReadLastMode();
        if (pendingLevel_ != GearLevel::Auto || IsAutoAllowed()) {
            settings.MarkCheckSafe_Flag();
            SetMode(GearLevel::HighPerformance, false);
            // Auto on a board whose tuning is locked is applied at once.
            if (pendingLevel_ == GearLevel::Auto && monitor.IsTweakDisabled())
                SetMode(GearLevel::Auto, true);
            else
                timer_.SetEnabled(true);
            return;
        }
    }
    settings.ClearCheckSafe_Flag();
    SetMode(GearLevel::HighPerformance, false);
}

void StartupRestore::TimerTimer()
{
    timer_.SetEnabled(false);
    SetMode(pendingLevel_, true);
}

bool StartupRestore::IsPending(int& level) const
{
    if (!timer_.Enabled())
        return false;
    level = pendingLevel_;
    return true;
}

void StartupRestore::Cancel()
{
    timer_.SetEnabled(false);
}
