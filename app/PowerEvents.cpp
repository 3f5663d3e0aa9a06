#include "app/PowerEvents.h"

#include "app/ModePolicy.h"
#include "engine/CpuPowerMonitor.h"
#include "engine/ModeModel.h"
#include "engine/ModeRequest.h"
#include "framework/TTimer.h"
#include "kelp/vantor/PowerGear.h"

namespace {
constexpr WPARAM kSuspend = PBT_APMSUSPEND;                      // 4
constexpr WPARAM kResumeCritical = PBT_APMRESUMECRITICAL;        // 6
constexpr WPARAM kResumeSuspend = PBT_APMRESUMESUSPEND;          // 7
constexpr WPARAM kResumeAutomatic = PBT_APMRESUMEAUTOMATIC;      // 18
constexpr unsigned kAfterSplintResumeMs = 6000;
constexpr unsigned kAfterSplintRequestMs = 2000;

bool IsSplintHelpOpen()
{
    return FindWindowA("TMainForm", "SplintHelp") != nullptr;
}

bool IsSplintMainOpen()
{
    return FindWindowA("TMainForm", "Splint") != nullptr;
}
} // namespace

PowerEvents::PowerEvents(TTimer& restoreTimer) : restoreTimer_(restoreTimer) {}

void PowerEvents::OnPowerBroadcast(WPARAM event)
{
    switch (event) {
    case kSuspend:
        Suspend();
        break;
    case kResumeCritical:
    case kResumeSuspend:
    case kResumeAutomatic:
        Resume();
        break;
    default:
        break;
    }
}

void PowerEvents::Suspend()
{
    CpuPowerMonitor& monitor = CpuPowerMonitor::Instance();
    if (monitor.IsAcpiV3())
        splintHelpOpen_ = IsSplintHelpOpen();
    suspendLevel_ = monitor.CurrentLevel();
}

void PowerEvents::Resume()
{
    suspendLevel_ = modepolicy::ResumeLevel(suspendLevel_);
    if (CpuPowerMonitor::Instance().IsAcpiV3()) {
        if (IsSplintHelpOpen() || IsSplintMainOpen()) {
            if (splintHelpOpen_ && !restoreTimer_.Enabled())
                StartRestoreTimer(kAfterSplintResumeMs, ModeChangeCause::Resume);
            return;
        }
        SetMode(suspendLevel_, true);
        CountModeChange(ModeChangeCause::Resume);
        return;
    }
    if (kelp::PowerGear::Instance().CheckOc())
        return;
    SetMode(GearLevel::HighPerformance, false);
    SetMode(suspendLevel_, true);
    CountModeChange(ModeChangeCause::Resume);
}

void PowerEvents::ReturnToHighPerformance()
{
    // The request comes as a window message from another program.
    if (!splintHelpOpen_) {
        SetModeNoVga(GearLevel::HighPerformance, true);
        CountModeChange(ModeChangeCause::Tray);
    } else {
        StartRestoreTimer(kAfterSplintRequestMs, ModeChangeCause::Tray);
    }
}

void PowerEvents::RestoreGearTimerTimer()
{
    splintHelpOpen_ = false;
    restoreTimer_.SetEnabled(false);
    if (suspendLevel_ != GearLevel::HighPerformance)
        SetMode(suspendLevel_, true);
    else
        SetModeNoVga(GearLevel::HighPerformance, true);
    CountModeChange(restoreCause_);
}

void PowerEvents::StartRestoreTimer(unsigned intervalMs, ModeChangeCause cause)
{
    restoreCause_ = cause;
    restoreTimer_.SetEnabled(false);
    restoreTimer_.SetInterval(intervalMs);
    restoreTimer_.SetEnabled(true);
}
