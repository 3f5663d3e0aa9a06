#include "engine/CalibrationThreeLevel.h"

#include "engine/RegistryLayout.h"
#include "kelp/vantor/PowerGear.h"

#include <algorithm>

namespace {
constexpr int kBlocks = 6;
// Blocks 0-2 idle, 3-5 loaded, each cycling through these levels.
constexpr int kLevels[] = {0, 1, 0x4000};
constexpr int kFirstLoadedBlock = 3;
constexpr const char* kNames[kBlocks] = {RegValue::NormLow,  RegValue::MediumLow,  RegValue::TurboLow,
                                         RegValue::NormHigh, RegValue::MediumHigh, RegValue::TurboHigh};
enum Block { kNormLow, kMediumLow, kTurboLow };
} // namespace

ThreeLevelCalibrator::ThreeLevelCalibrator(const CalibrationDevices& devices) : Calibrator(devices, kBlocks) {}

void ThreeLevelCalibrator::Step(int tick)
{
    if (tick < 1 || tick > StepCount())
        return;
    if (!MeasureTick(tick))
        return;
    RequestLevel(kLevels[Block() % 3]);
    if (Block() == kFirstLoadedBlock)
        StartFullLoad();
}

void ThreeLevelCalibrator::Finish()
{
    const auto& m = Measured();
    const auto t = ThreeLevelThresholds(m[kNormLow], m[kMediumLow], m[kTurboLow], LogicalProcessors());
    WriteMeasurements(kNames);
    Gear().SetThresholds(t[0], t[1], t[2]);
}

std::array<uint32_t, 3> ThreeLevelThresholds(uint32_t normLow, uint32_t mediumLow, uint32_t turboLow,
                                             unsigned logicalProcessors)
{
    const double a = logicalProcessors > 3 ? 3 : 2;
    const double b = logicalProcessors > 3 ? 5 : 4;
    std::array<double, 3> candidates{double(mediumLow) + 2, double(normLow) + a, double(turboLow) + b};
    std::sort(candidates.begin(), candidates.end());
    std::array<uint32_t, 3> thresholds{};
    for (size_t i = 0; i < 3; ++i)
        thresholds[i] = uint32_t(std::clamp(candidates[i], 0.0, 255.0));
    return thresholds;
}
