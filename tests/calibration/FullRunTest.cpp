// Whole calibration runs at the progress window's pace on the virtual
// board, whose CPU current follows this machine's real processor load and
// the gear in force. The loads guarantee a lower bound for the loaded
// blocks; the idle blocks are only as quiet as the machine, so where other
// work kept it as busy as the load would, that one comparison is skipped.

#include "engine/CalibrationFourLevel.h"
#include "engine/CalibrationThreeLevel.h"
#include "tests/calibration/CalibrationRig.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>

namespace {

using calibtest::CalibrationRig;

constexpr double kIdleAmps = 8, kFullAmps = 120;
// The board's current in each gear relative to High Performance.
constexpr double kTurboScale = 1.15, kNormScale = 1.0, kMediumScale = 0.74, kSavingScale = 0.54;

double Amps(double scale, double load)
{
    return (kIdleAmps + (kFullAmps - kIdleAmps) * load) * scale;
}

void LoadBoard(const char* profile)
{
    calibtest::LoadCalibrationBoard(profile, {{"tamsel_idle_current", std::to_string(int(kIdleAmps))},
                                              {"tamsel_full_current", std::to_string(int(kFullAmps))}});
}

// The progress window's pace: one tick every DurationMs / StepCount.
void RunAtWindowPace(Calibrator& calibrator)
{
    const DWORD interval = calibrator.DurationMs() / DWORD(calibrator.StepCount());
    BeginCalibration(calibrator);
    for (int tick = 1; tick <= calibrator.StepCount(); ++tick) {
        Sleep(interval);
        calibrator.Step(tick);
    }
    EndCalibration(calibrator, true);
}

struct Mode {
    const char* name;
    size_t idleBlock;
    size_t loadedBlock;
    double scale;
};

// Each loaded block reaches what its load guarantees, and lies above the
// idle block of its mode unless the idle block was that busy already.
void CheckModes(const std::vector<uint32_t>& m, const Mode* modes, size_t count, double guaranteedLoad)
{
    std::string skipped;
    for (size_t i = 0; i < count; ++i) {
        const Mode& mode = modes[i];
        const uint32_t idle = m[mode.idleBlock], loaded = m[mode.loadedBlock];
        const double floor = Amps(mode.scale, guaranteedLoad);
        std::printf("%-12s idle %3u A  loaded %3u A  (load guarantees %.0f A)\n", mode.name, idle, loaded, floor);
        EXPECT_GE(loaded, uint32_t(floor)) << mode.name;
        if (idle >= uint32_t(floor)) {
            skipped += ' ';
            skipped += mode.name;
        } else {
            EXPECT_LT(idle, loaded) << mode.name;
        }
    }
    if (!skipped.empty())
        GTEST_SKIP() << "the machine was as busy during the idle blocks of" << skipped
                     << " as the load would make it: idle and loaded values cannot be told apart there";
}

TEST(CalibrationRun, ThreeLevelIdleBelowFullLoad)
{
    LoadBoard("calib-three");
    CalibrationRig rig;
    auto calibrator = rig.BoardCalibrator(2);
    ASSERT_EQ(calibrator->StepCount(), 300);
    RunAtWindowPace(*calibrator);

    const std::vector<uint32_t>& m = calibrator->Measured();
    const auto t = ThreeLevelThresholds(m[0], m[1], m[2], 2);
    EXPECT_LE(t[0], t[1]);
    EXPECT_LE(t[1], t[2]);
    EXPECT_EQ(geartest::ReadRootDword("Threshold1"), t[0]);
    EXPECT_EQ(geartest::ReadRootDword("Threshold3"), t[2]);
    // Under the full load the machine is saturated, so the loaded values
    // rank by gear alone.
    EXPECT_GT(m[5], m[3]); // Turbo above High Performance
    EXPECT_GT(m[3], m[4]); // High Performance above Medium
    const Mode modes[] = {{"Norm", 0, 3, kNormScale}, {"Medium", 1, 4, kMediumScale}, {"Turbo", 2, 5, kTurboScale}};
    // Four workers on this machine's processors: nearly all of its time.
    CheckModes(m, modes, 3, 0.85);
}

TEST(CalibrationRun, FourLevelIdleBelowPrimaryLoad)
{
    LoadBoard("calib-four");
    CalibrationRig rig;
    auto calibrator = rig.BoardCalibrator(2);
    ASSERT_EQ(calibrator->StepCount(), 420);
    RunAtWindowPace(*calibrator);

    const std::vector<uint32_t>& m = calibrator->Measured();
    const std::vector<uint32_t> t = FourLevelThresholds(m, true);
    EXPECT_LT(t[0], t[1]);
    EXPECT_LT(t[1], t[2]);
    const char* names[] = {"Threshold1", "Threshold2", "Threshold3", "Threshold4", "Threshold5", "Threshold6"};
    for (size_t i = 0; i < 6; ++i)
        EXPECT_EQ(geartest::ReadRootDword(names[i]), t[i]) << names[i];
    const Mode modes[] = {{"Norm", 0, 4, kNormScale},
                          {"Medium", 1, 5, kMediumScale},
                          {"PowerSaving", 2, 6, kSavingScale},
                          {"Turbo", 3, 7, kTurboScale}};
    // Every processor half busy with the primary load, less what the
    // sensor's sampling windows and the scheduler's granularity may miss
    // (about 0.41 of the machine was seen on a quiet one).
    CheckModes(m, modes, 4, 0.30);
}

} // namespace
