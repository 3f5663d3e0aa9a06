// Tick schedules of both calibrators, driven straight through on the
// board: which levels they ask for, when samples are taken, and when the
// loads start.

#include "engine/CalibrationFourLevel.h"
#include "engine/ModeRequest.h"
#include "kelp/vantor/BiosItems.h"
#include "tests/calibration/CalibrationRig.h"

#include <gtest/gtest.h>

#include <map>

namespace {

using calibtest::CalibrationRig;
using calibtest::ProcessThreads;

constexpr int kTurbo = 0x4000;

unsigned LogicalProcessors()
{
    SYSTEM_INFO system{};
    GetSystemInfo(&system);
    return system.dwNumberOfProcessors;
}

// Runs ticks first..last, noting the load threads running after each tick
// that is a key of `threadsAfter`.
void RunTicks(Calibrator& calibrator, int first, int last, unsigned baseline, std::map<int, unsigned>& threadsAfter)
{
    for (int tick = first; tick <= last; ++tick) {
        calibrator.Step(tick);
        auto found = threadsAfter.find(tick);
        if (found != threadsAfter.end())
            found->second = ProcessThreads() - baseline;
    }
}

TEST(CalibrationSchedule, ThreeLevelCyclesIdleThenUnderFullLoad)
{
    calibtest::LoadCalibrationBoard("calib-three");
    CalibrationRig rig;
    auto calibrator = rig.BoardCalibrator(2);
    ASSERT_EQ(calibrator->StepCount(), 300);
    EXPECT_EQ(calibrator->DurationMs(), 60000u);
    const unsigned baseline = ProcessThreads();

    calibrator->Reset();
    // Ticks 1-19 of a block settle, 20-49 sample, and 49 ends the block.
    std::map<int, unsigned> threads{{148, 0}, {149, 0}, {300, 0}};
    RunTicks(*calibrator, 1, 19, baseline, threads);
    EXPECT_EQ(calibrator->SampleCount(), 0);
    RunTicks(*calibrator, 20, 48, baseline, threads);
    EXPECT_EQ(calibrator->SampleCount(), 29);
    EXPECT_TRUE(rig.levels.empty());
    RunTicks(*calibrator, 49, 300, baseline, threads);

    EXPECT_EQ(rig.levels, (std::vector<int>{1, kTurbo, 0, 1, kTurbo, 0}));
    EXPECT_EQ(calibrator->Block(), 6);
    EXPECT_EQ(calibrator->SampleCount(), 0);
    // The full load starts with the first loaded block, at least four
    // threads even on two processors.
    EXPECT_EQ(threads[148], 0u);
    EXPECT_EQ(threads[149], 4u);
    EXPECT_EQ(threads[300], 4u);
    for (uint32_t value : calibrator->Measured())
        EXPECT_GT(value, 0u);

    // Ticks outside the run change nothing.
    for (int tick : {0, -1, -49, 301, 349})
        calibrator->Step(tick);
    EXPECT_EQ(rig.levels.size(), 6u);
    EXPECT_EQ(calibrator->Block(), 6);
    calibrator->StopLoad();
    EXPECT_EQ(ProcessThreads(), baseline);
}

TEST(CalibrationSchedule, FourLevelMeasuresUnderThePrimaryLoadThenWalksTheLevels)
{
    calibtest::LoadCalibrationBoard("calib-four");
    CalibrationRig rig;
    auto calibrator = rig.BoardCalibrator(6);
    ASSERT_EQ(calibrator->StepCount(), 420);
    EXPECT_EQ(calibrator->DurationMs(), 84000u);
    const unsigned baseline = ProcessThreads();

    calibrator->Reset();
    std::map<int, unsigned> threads{{198, 0}, {199, 0}, {399, 0}, {400, 0}, {420, 0}};
    RunTicks(*calibrator, 1, 399, baseline, threads);
    EXPECT_EQ(calibrator->Block(), 8);
    EXPECT_EQ(rig.levels, (std::vector<int>{1, 2, kTurbo, 0, 1, 2, kTurbo, 0}));
    RunTicks(*calibrator, 400, 420, baseline, threads);
    // After the measuring blocks: 0, 1, 2, Turbo and the raw level 4, five
    // ticks apart, with no more samples.
    EXPECT_EQ(rig.levels, (std::vector<int>{1, 2, kTurbo, 0, 1, 2, kTurbo, 0, 0, 1, 2, kTurbo, 4}));
    EXPECT_EQ(calibrator->Block(), 8);
    EXPECT_EQ(calibrator->SampleCount(), 0);

    // The primary load (one worker per processor of the machine) from the
    // first loaded block; the full load (one per processor told, at least
    // four) from tick 400.
    EXPECT_EQ(threads[198], 0u);
    EXPECT_EQ(threads[199], LogicalProcessors());
    EXPECT_EQ(threads[399], LogicalProcessors());
    EXPECT_EQ(threads[400], 6u);
    EXPECT_EQ(threads[420], 6u);
    calibrator->StopLoad();
    EXPECT_EQ(ProcessThreads(), baseline);
}

// The level requests of the program's own wiring go through the mode
// engine, which must not drop the closing raw level.
TEST(CalibrationSchedule, FourLevelEndReachesTheBoardThroughTheModeEngine)
{
    calibtest::LoadCalibrationBoard("calib-four");
    kelp::PowerGear::m_impIndex = 0; // the mode engine's gear is the one beside the executable
    CalibrationRig rig;
    CalibrationDevices devices = rig.Devices(2);
    devices.setMode = RequestCalibrationLevel;
    FourLevelCalibrator calibrator(devices);
    for (int tick = 400; tick <= 415; ++tick)
        calibrator.Step(tick);
    ASSERT_TRUE(WaitForModeChange(10000));
    EXPECT_EQ(geartest::BoardValue(kelp::BiosItemId::kGearLevel), uint32_t(kTurbo));
    for (int tick = 416; tick <= 420; ++tick)
        calibrator.Step(tick);
    ASSERT_TRUE(WaitForModeChange(10000));
    EXPECT_EQ(geartest::BoardValue(kelp::BiosItemId::kGearLevel), 4u);
    calibrator.StopLoad();
}

TEST(CalibrationSchedule, ResetRewindsAPartialRun)
{
    calibtest::LoadCalibrationBoard("calib-three", {{"tamsel_sensors", "hold"}});
    constexpr uint32_t kCpuCurrent = 0x0E0A0011;
    geartest::SetBoardValue(kCpuCurrent, 100);
    CalibrationRig rig;
    auto calibrator = rig.BoardCalibrator(2);
    for (int tick = 1; tick <= 75; ++tick)
        calibrator->Step(tick);
    EXPECT_EQ(calibrator->Block(), 1);
    EXPECT_EQ(calibrator->SampleCount(), 6);
    EXPECT_EQ(calibrator->Measured()[0], 100u);

    calibrator->Reset();
    EXPECT_EQ(calibrator->Block(), 0);
    EXPECT_EQ(calibrator->SampleCount(), 0);
    // The last measurements stay until a block overwrites them.
    EXPECT_EQ(calibrator->Measured()[0], 100u);
    // The six samples of the abandoned block are gone: a first block that
    // ends on its only sample stands for that sample alone.
    geartest::SetBoardValue(kCpuCurrent, 7);
    calibrator->Step(49);
    EXPECT_EQ(calibrator->Measured()[0], 7u);
}

} // namespace
