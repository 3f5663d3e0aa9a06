#include "engine/CalibrationFourLevel.h"

#include "engine/AdvanceSettings.h"
#include "engine/RegistryLayout.h"
#include "kelp/vantor/BiosInterface.h"
#include "kelp/vantor/BiosItems.h"
#include "kelp/vantor/PowerGear.h"

#include <algorithm>
#include <array>

namespace {
constexpr int kBlocks = 8;
constexpr int kMeasuringTicks = kBlocks * Calibrator::kBlockTicks;
constexpr int kWalkTicks = 5;
// Blocks 0-3 idle, 4-7 under the primary load, each cycling through these.
constexpr int kLevels[] = {0, 1, 2, 0x4000};
constexpr int kFirstLoadedBlock = 4;
constexpr const char* kNames[kBlocks] = {
    RegValue::NormLow,  RegValue::MediumLow,  RegValue::PowerSavingLow,  RegValue::TurboLow,
    RegValue::NormHigh, RegValue::MediumHigh, RegValue::PowerSavingHigh, RegValue::TurboHigh};
constexpr uint64_t kMaxThreshold = 255;

// Idle (L) and loaded (H) values of one mode. Arithmetic is done wide so
// that readings near the top of the 32-bit range cannot wrap around.
struct Mode {
    uint64_t low;
    uint64_t high;
};

uint64_t Candidate(const Mode& upper, const Mode& lower)
{
    const uint64_t half = upper.high < upper.low ? upper.low + 1 : upper.low + (upper.high - upper.low) / 2;
    uint64_t third = lower.high < lower.low ? lower.low + 1 : lower.low + (lower.high - lower.low) / 3;
    third = std::max(third, lower.low + 2);
    if (upper.high < third && lower.low + 2 < third)
        third = lower.low + 2;
    return std::max(half, third);
}
} // namespace

FourLevelCalibrator::FourLevelCalibrator(const CalibrationDevices& devices) : Calibrator(devices, kBlocks) {}

void FourLevelCalibrator::Step(int tick)
{
    if (tick < 1 || tick > StepCount())
        return;
    if (tick < kMeasuringTicks) {
        if (!MeasureTick(tick))
            return;
        RequestLevel(kLevels[Block() % 4]);
        if (Block() == kFirstLoadedBlock)
            StartPrimaryLoad();
        return;
    }
    if (tick == kMeasuringTicks) {
        StopLoad();
        StartFullLoad();
    }
    if ((tick - kMeasuringTicks) % kWalkTicks == 0) {
        // 0, 1, 2, Turbo and finally the raw level 4.
        const int level = (tick - kMeasuringTicks) / kWalkTicks;
        RequestLevel(level == 3 ? 0x4000 : level);
    }
}

void FourLevelCalibrator::Finish()
{
    const bool six = Gear().HasSixThresholds();
    const std::vector<uint32_t> t = FourLevelThresholds(Measured(), six);
    WriteMeasurements(kNames);
    if (six)
        Gear().SetThresholds(t.data(), 6);
    else
        Gear().SetThresholds(t[0], t[1], t[2]);
    uint32_t phase = 0;
    if (kelp::IsItemSupported(kelp::BiosItemId::kPhaseMode) && kelp::GetItem(kelp::BiosItemId::kPhaseMode, phase))
        AdvanceSettings::Instance().SetPhaseMode(int(phase));
}

std::vector<uint32_t> FourLevelThresholds(const std::vector<uint32_t>& measured, bool six)
{
    std::array<uint32_t, kBlocks> m{};
    std::copy_n(measured.begin(), std::min(measured.size(), m.size()), m.begin());
    const Mode norm{m[0], m[4]}, medium{m[1], m[5]}, saving{m[2], m[6]}, turbo{m[3], m[7]};

    std::array<uint64_t, 3> t{Candidate(saving, medium), Candidate(medium, norm), Candidate(norm, turbo)};
    std::sort(t.begin(), t.end());
    for (uint64_t& value : t)
        value = std::min(value, kMaxThreshold);
    // Capping may make neighbours equal; the order is forced afterwards.
    if (t[0] >= t[1])
        t[1] = t[0] + 1;
    if (t[1] >= t[2])
        t[2] = t[1] + 1;

    std::vector<uint32_t> thresholds{uint32_t(t[0]), uint32_t(t[1]), uint32_t(t[2])};
    if (!six)
        return thresholds;
    uint64_t down = t[0];
    if (t[0] > saving.high) {
        const int64_t spread = int64_t(saving.high) - int64_t(saving.low);
        down = spread >= 4 ? saving.low + uint64_t(spread / 2) : spread == 3 ? saving.low + 2 : saving.low + 1;
    }
    thresholds.insert(thresholds.end(), {uint32_t(down), uint32_t(t[1]), uint32_t(t[2])});
    return thresholds;
}
