#pragma once
// Calibration over High Performance, Medium Power Saving and Turbo: six
// blocks of 50 ticks (20 settling, 30 sampled), idle and then under the
// full load, giving three thresholds.

#include "engine/Calibration.h"

#include <array>
#include <cstdint>

class ThreeLevelCalibrator final : public Calibrator {
public:
    explicit ThreeLevelCalibrator(const CalibrationDevices& devices);

    int StepCount() const override { return 300; }
    DWORD DurationMs() const override { return 300 * 200; }
    void Step(int tick) override;
    void Finish() override;
};

// Thresholds from the idle currents: Medium + 2, High Performance + a and
// Turbo + b (a, b = 3, 5 with more than three logical processors, else
// 2, 4), sorted and clamped to 0..255.
std::array<uint32_t, 3> ThreeLevelThresholds(uint32_t normLow, uint32_t mediumLow, uint32_t turboLow,
                                             unsigned logicalProcessors);
