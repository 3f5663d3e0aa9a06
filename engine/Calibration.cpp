#include "engine/Calibration.h"

#include "engine/CalibrateLib.h"
#include "engine/ModeRequest.h"
#include "hw/IsRecentIntelProcessor.h"
#include "kelp/vantor/PowerGear.h"

CalibrationDevices ProcessCalibrationDevices()
{
    SYSTEM_INFO system{};
    GetSystemInfo(&system);
    CalibrationDevices devices;
    devices.gear = &kelp::PowerGear::Instance();
    devices.load = &CalibrateLib::Instance();
    devices.setMode = [](int level) { SetMode(level, false); };
    devices.logicalProcessors = system.dwNumberOfProcessors;
    return devices;
}

Calibrator& GetCalibrator()
{
    static const std::unique_ptr<Calibrator> calibrator =
        MakeCalibrator(kelp::IsRecentIntelProcessor(), ProcessCalibrationDevices());
    return *calibrator;
}

void BeginCalibration()
{
    BeginCalibration(GetCalibrator());
}

void EndCalibration(bool completed)
{
    EndCalibration(GetCalibrator(), completed);
}
