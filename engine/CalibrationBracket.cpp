#include "engine/AdvanceSettings.h"
#include "engine/Calibration.h"
#include "engine/CalibrationHost.h"
#include "engine/CalibrationProfile.h"
#include "engine/IdleWatcher.h"
#include "engine/ModeHardware.h"

#include <windows.h>

#include <atomic>

namespace {
std::atomic<CalibrationHost*> plugged{nullptr};
// The run between its begin and its end (main thread only).
Calibrator* running = nullptr;

// The sibling tuning utility is minimised for the run and shown again after
// it, with the same messages this program's main window takes.
constexpr UINT kMinimiseMessage = 1025;
constexpr UINT kShowMessage = 1027;
constexpr WPARAM kMessageTag = 85;

void TellSibling(UINT message)
{
    if (HWND sibling = FindWindowA("TMainForm", "Corvex"))
        PostMessageA(sibling, message, kMessageTag, 0);
}
} // namespace

void PlugCalibrationHost(CalibrationHost* host)
{
    plugged.store(host);
}

void BeginCalibration(Calibrator& calibrator)
{
    if (CalibrationHost* host = plugged.load())
        host->StopEnergySavingTimer();
    // The run sets its levels without the modes' extras, so the idle
    // time-out of the mode it started in would stay armed and blank the
    // screen, with a mode of its own, in the middle of a measurement.
    IdleWatcher::Instance().Suspend();
    AdvanceSettings::Instance().MarkCalibration_Flag();
    TellSibling(kMinimiseMessage);
    running = &calibrator;
    calibrator.SetRunEnded(false);
    calibrator.Reset();
    calibrator.SaveLevel();
    calibrator.RequestLevel(0);
}

void EndCalibration(Calibrator& calibrator, bool completed)
{
    if (calibrator.RunEnded())
        return;
    if (running == &calibrator)
        running = nullptr;
    calibrator.StopLoad();
    if (completed)
        calibrator.Finish();
    calibrator.RestoreLevel();
    TellSibling(kShowMessage);
    AdvanceSettings::Instance().ClearCalibration_Flag();
    if (PluggedModeHardware().IsAcpiV3())
        SaveCalibrationProfile();
    if (CalibrationHost* host = plugged.load())
        host->StartEnergySavingTimer();
    // The user has just sat through the run: idle time counts from its end.
    IdleWatcher::Instance().Resume();
    calibrator.SetRunEnded(true);
}

void EndRunningCalibration()
{
    if (running)
        EndCalibration(*running, false);
}
