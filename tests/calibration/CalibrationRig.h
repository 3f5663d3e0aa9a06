#pragma once
// A calibrator over this test's virtual board: the real Tamsel.dll and
// Strainel.dll, with level requests applied at once to the board's level
// item and recorded.

#include "engine/CalibrateLib.h"
#include "engine/Calibration.h"
#include "tests/gear/GearRig.h"

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace calibtest {

// Loads a calibration profile (calib-three, calib-four) with live sensors
// and the given extra knobs, and empties the program's registry keys.
void LoadCalibrationBoard(const std::string& profile, const std::vector<std::pair<std::string, std::string>>& knobs = {});

// Threads of this process now.
unsigned ProcessThreads();
// User and kernel time of this process, in milliseconds.
uint64_t ProcessCpuMs();
// Windows (and so message boxes) can be created in this session.
bool WindowsAvailable();

std::optional<DWORD> ReadAdvanceDword(const char* name);

struct CalibrationRig {
    CalibrationRig();
    // The variant the board's processor words choose.
    std::unique_ptr<Calibrator> BoardCalibrator(unsigned logicalProcessors = 2);
    CalibrationDevices Devices(unsigned logicalProcessors);
    kelp::PowerGear& Gear() { return *gear.gear; }

    geartest::GearRig gear;
    CalibrateLib load;
    std::vector<int> levels;
};

} // namespace calibtest
