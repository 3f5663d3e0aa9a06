#pragma once
// Calibration over High Performance, Medium, Max Power Saving and Turbo:
// eight blocks of 50 ticks (20 settling, 30 sampled), idle and then under
// the primary load, followed by a 20-tick walk through the levels under
// the full load. Gives three thresholds, or six where the board has them.

#include "engine/Calibration.h"

#include <cstdint>
#include <vector>

class FourLevelCalibrator final : public Calibrator {
public:
    explicit FourLevelCalibrator(const CalibrationDevices& devices);

    int StepCount() const override { return 400 + 20; }
    DWORD DurationMs() const override { return (400 + 20) * 200; }
    void Step(int tick) override;
    void Finish() override;
};

// The eight block values in measuring order: NormLow, MediumLow,
// PowerSavingLow, TurboLow, NormHigh, MediumHigh, PowerSavingHigh, TurboHigh.
// Gives three strictly increasing thresholds, or six (the last three the
// switch-down points) when `six`.
std::vector<uint32_t> FourLevelThresholds(const std::vector<uint32_t>& measured, bool six);
