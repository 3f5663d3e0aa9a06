#include "engine/Calibration.h"
#include "engine/CalibrationFourLevel.h"
#include "engine/CalibrationThreeLevel.h"

std::unique_ptr<Calibrator> MakeCalibrator(bool recentIntelProcessor, const CalibrationDevices& devices)
{
    if (recentIntelProcessor)
        return std::make_unique<FourLevelCalibrator>(devices);
    return std::make_unique<ThreeLevelCalibrator>(devices);
}
