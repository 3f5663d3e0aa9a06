#include "engine/Calibration.h"

#include "engine/CalibrateLib.h"
#include "engine/ModeRequest.h"
#include "framework/system/ProcessWide.h"
#include "hw/IsRecentIntelProcessor.h"
#include "kelp/vantor/PowerGear.h"

void RequestCalibrationLevel(int level)
{
    SetMode(level, false);
}

namespace {
CalibrationDevices ProcessDevices()
{
    SYSTEM_INFO system{};
    GetSystemInfo(&system);
    CalibrationDevices devices;
    devices.gear = &kelp::PowerGear::Instance();
    devices.load = &CalibrateLib::Instance();
    devices.setMode = RequestCalibrationLevel;
    devices.logicalProcessors = system.dwNumberOfProcessors;
    return devices;
}
} // namespace

Calibrator& GetCalibrator()
{
    static ProcessWide<std::unique_ptr<Calibrator>> calibrator(
        MakeCalibrator(kelp::IsRecentIntelProcessor(), ProcessDevices()));
    return **calibrator;
}

void BeginCalibration()
{
    BeginCalibration(GetCalibrator());
}

void EndCalibration(bool completed)
{
    EndCalibration(GetCalibrator(), completed);
}
