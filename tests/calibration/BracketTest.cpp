// The bracket around a run: crash guard, saved level, energy timer and the
// sibling utility; what a completed run stores and what a cancelled one
// leaves alone; and the calibration profile.

#include "engine/CalibrationHost.h"
#include "engine/CalibrationProfile.h"
#include "engine/CalibrationThreeLevel.h"
#include "engine/IdleWatcher.h"
#include "engine/ModeHardware.h"
#include "engine/RegistryLayout.h"
#include "hw/UserProfileManager.h"
#include "kelp/vantor/BiosItems.h"
#include "tests/calibration/CalibrationRig.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using calibtest::CalibrationRig;
using calibtest::ReadAdvanceDword;
using geartest::BoardValue;
using geartest::ReadRootDword;

constexpr const char* kMeasurementNames[] = {
    RegValue::NormLow,  RegValue::MediumLow,  RegValue::PowerSavingLow,  RegValue::TurboLow,
    RegValue::NormHigh, RegValue::MediumHigh, RegValue::PowerSavingHigh, RegValue::TurboHigh};

struct FakeHost final : CalibrationHost {
    void StopEnergySavingTimer() override { calls.push_back("stop"); }
    void StartEnergySavingTimer() override { calls.push_back("start"); }
    std::vector<std::string> calls;
};

struct InterfaceV3 final : ModeHardware {
    HardwareDefaults GetDefaults(int) override { return {}; }
    void ApplyTuning(int, uint32_t, uint32_t, uint32_t, uint32_t) override {}
    bool IsAcpiV3() override { return v3; }
    bool v3 = false;
};

// A hidden "Corvex" main window that notes the private messages it gets.
class Sibling {
public:
    Sibling()
    {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "TMainForm";
        RegisterClassA(&windowClass);
        window_ = CreateWindowA("TMainForm", "Corvex", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    }
    ~Sibling()
    {
        if (window_)
            DestroyWindow(window_);
    }
    bool Exists() const { return window_ != nullptr; }
    // (message, wParam) of every message 1024-1059 posted so far.
    std::vector<std::pair<UINT, WPARAM>> Received()
    {
        std::vector<std::pair<UINT, WPARAM>> received;
        MSG msg;
        while (PeekMessageA(&msg, window_, 1024, 1059, PM_REMOVE))
            received.emplace_back(msg.message, msg.wParam);
        return received;
    }

private:
    HWND window_ = nullptr;
};

class CalibrationBracket : public testing::Test {
protected:
    void SetUp() override
    {
        PlugCalibrationHost(&host);
        PlugModeHardware(&hardware);
        DeleteFileA(kelp::UserProfileManager::DefaultPath().c_str());
    }
    void TearDown() override
    {
        PlugCalibrationHost(nullptr);
        PlugModeHardware(nullptr);
    }
    std::vector<std::optional<DWORD>> StoredMeasurements()
    {
        std::vector<std::optional<DWORD>> values;
        for (const char* name : kMeasurementNames)
            values.push_back(ReadRootDword(name));
        return values;
    }
    std::vector<std::optional<DWORD>> StoredThresholds()
    {
        std::vector<std::optional<DWORD>> values;
        for (const char* name : {"Threshold1", "Threshold2", "Threshold3", "Threshold4", "Threshold5", "Threshold6"})
            values.push_back(ReadRootDword(name));
        return values;
    }
    std::vector<uint32_t> BoardThresholds(int count)
    {
        std::vector<uint32_t> values;
        for (int i = 0; i < count; ++i)
            values.push_back(BoardValue(kelp::BiosItemId::kAutoThreshold1 + uint32_t(i)));
        return values;
    }

    FakeHost host;
    InterfaceV3 hardware;
};

TEST_F(CalibrationBracket, CancelledRunRestoresTheLevelAndWritesNothing)
{
    calibtest::LoadCalibrationBoard("calib-four");
    CalibrationRig rig;
    ASSERT_TRUE(rig.Gear().SetLevelItem(1));
    const std::vector<uint32_t> thresholdsBefore = BoardThresholds(6);
    auto calibrator = rig.BoardCalibrator(2);
    const unsigned baseline = calibtest::ProcessThreads();
    Sibling sibling;

    BeginCalibration(*calibrator);
    EXPECT_EQ(ReadAdvanceDword(RegValue::CalibrationFlag), std::optional<DWORD>(1));
    EXPECT_EQ(calibrator->SavedLevel(), 1);
    EXPECT_EQ(rig.levels, (std::vector<int>{0}));
    EXPECT_EQ(host.calls, (std::vector<std::string>{"stop"}));

    // Cancelled during the loaded blocks.
    for (int tick = 1; tick <= 210; ++tick)
        calibrator->Step(tick);
    EndCalibration(*calibrator, false);

    EXPECT_EQ(rig.levels.back(), 1);
    EXPECT_EQ(BoardValue(kelp::BiosItemId::kGearLevel), 1u);
    EXPECT_EQ(ReadAdvanceDword(RegValue::CalibrationFlag), std::optional<DWORD>(0));
    EXPECT_EQ(host.calls, (std::vector<std::string>{"stop", "start"}));
    EXPECT_EQ(calibtest::ProcessThreads(), baseline);
    for (const auto& value : StoredMeasurements())
        EXPECT_FALSE(value.has_value());
    for (const auto& value : StoredThresholds())
        EXPECT_FALSE(value.has_value());
    EXPECT_EQ(BoardThresholds(6), thresholdsBefore);
    EXPECT_FALSE(ReadAdvanceDword(RegValue::PhaseMode).has_value());
    // An older interface saves no calibration profile.
    EXPECT_EQ(GetFileAttributesA(kelp::UserProfileManager::DefaultPath().c_str()), INVALID_FILE_ATTRIBUTES);

    if (!sibling.Exists())
        GTEST_SKIP() << "no window driver: the sibling utility's window cannot be created";
    EXPECT_EQ(sibling.Received(), (std::vector<std::pair<UINT, WPARAM>>{{1025, 85}, {1027, 85}}));
}

// The end of the session ends the run while the progress form, which
// would end it later, still ticks.
TEST_F(CalibrationBracket, ARunEndedFromOutsideStopsItsLoadOnceAndDrivesNothingAfter)
{
    calibtest::LoadCalibrationBoard("calib-four");
    CalibrationRig rig;
    ASSERT_TRUE(rig.Gear().SetLevelItem(1));
    auto calibrator = rig.BoardCalibrator(2);
    const unsigned baseline = calibtest::ProcessThreads();
    EndRunningCalibration();
    EXPECT_TRUE(host.calls.empty()) << "no run, nothing to end";

    BeginCalibration(*calibrator);
    for (int tick = 1; tick <= 210; ++tick)
        calibrator->Step(tick);
    ASSERT_GT(calibtest::ProcessThreads(), baseline) << "the load did not start";

    EndRunningCalibration();
    EXPECT_EQ(calibtest::ProcessThreads(), baseline) << "the load still runs";
    EXPECT_EQ(ReadAdvanceDword(RegValue::CalibrationFlag), std::optional<DWORD>(0));
    EXPECT_EQ(rig.levels.back(), 1);
    EXPECT_EQ(host.calls, (std::vector<std::string>{"stop", "start"}));

    const size_t levelsBefore = rig.levels.size();
    // The last ticks would start the full load.
    for (int tick = 211; tick <= calibrator->StepCount(); ++tick)
        calibrator->Step(tick);
    EndCalibration(*calibrator, true);
    EndRunningCalibration();
    EXPECT_EQ(rig.levels.size(), levelsBefore) << "the ended run still asks for levels";
    EXPECT_EQ(calibtest::ProcessThreads(), baseline) << "the ended run started a load again";
    EXPECT_EQ(host.calls.size(), 2u) << "the run ended twice";
    for (const auto& value : StoredMeasurements())
        EXPECT_FALSE(value.has_value());

    // The next run drives the board again.
    BeginCalibration(*calibrator);
    EXPECT_EQ(rig.levels.back(), 0);
    EndCalibration(*calibrator, false);
}

TEST_F(CalibrationBracket, CompletedThreeLevelRunStoresSixValuesAndThreeThresholds)
{
    calibtest::LoadCalibrationBoard("calib-three");
    CalibrationRig rig;
    auto calibrator = rig.BoardCalibrator(2);
    ASSERT_EQ(calibrator->StepCount(), 300);
    BeginCalibration(*calibrator);
    for (int tick = 1; tick <= calibrator->StepCount(); ++tick)
        calibrator->Step(tick);
    EndCalibration(*calibrator, true);

    const std::vector<uint32_t>& m = calibrator->Measured();
    ASSERT_EQ(m.size(), 6u);
    const auto stored = StoredMeasurements();
    EXPECT_EQ(stored[0], m[0]); // NormLow
    EXPECT_EQ(stored[1], m[1]); // MediumLow
    EXPECT_EQ(stored[3], m[2]); // TurboLow
    EXPECT_EQ(stored[4], m[3]); // NormHigh
    EXPECT_EQ(stored[5], m[4]); // MediumHigh
    EXPECT_EQ(stored[7], m[5]); // TurboHigh
    EXPECT_FALSE(stored[2].has_value());
    EXPECT_FALSE(stored[6].has_value());

    const auto expected = ThreeLevelThresholds(m[0], m[1], m[2], 2);
    const auto thresholds = StoredThresholds();
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(thresholds[size_t(i)], expected[size_t(i)]);
    EXPECT_FALSE(thresholds[3].has_value());
    EXPECT_TRUE(std::is_sorted(expected.begin(), expected.end()));
    EXPECT_EQ(ReadAdvanceDword(RegValue::CalibrationFlag), std::optional<DWORD>(0));
    EXPECT_EQ(rig.levels.back(), calibrator->SavedLevel());
}

TEST_F(CalibrationBracket, CompletedFourLevelRunStoresSixThresholdsPhaseAndProfile)
{
    calibtest::LoadCalibrationBoard("calib-four");
    geartest::SetBoardValue(kelp::BiosItemId::kPhaseMode, 2);
    hardware.v3 = true;
    CalibrationRig rig;
    auto calibrator = rig.BoardCalibrator(2);
    ASSERT_EQ(calibrator->StepCount(), 420);
    BeginCalibration(*calibrator);
    for (int tick = 1; tick <= calibrator->StepCount(); ++tick)
        calibrator->Step(tick);
    EndCalibration(*calibrator, true);

    const std::vector<uint32_t>& m = calibrator->Measured();
    const auto stored = StoredMeasurements();
    for (size_t i = 0; i < 8; ++i)
        EXPECT_EQ(stored[i], m[i]) << kMeasurementNames[i];
    const auto thresholds = StoredThresholds();
    for (const auto& value : thresholds)
        ASSERT_TRUE(value.has_value());
    EXPECT_LT(*thresholds[0], *thresholds[1]);
    EXPECT_LT(*thresholds[1], *thresholds[2]);
    EXPECT_EQ(ReadAdvanceDword(RegValue::PhaseMode), std::optional<DWORD>(2));

    // The profile holds the settings in force: nothing differs until a
    // setting changes.
    EXPECT_NE(GetFileAttributesA(kelp::UserProfileManager::DefaultPath().c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_FALSE(CalibrationProfileDiffers());
    constexpr uint32_t kCpuBaseClock = 0x03000011;
    geartest::SetBoardValue(kCpuBaseClock, BoardValue(kCpuBaseClock) + 1);
    EXPECT_TRUE(CalibrationProfileDiffers());
}

// The run's own level changes leave the idle time-out of the mode it began
// in armed: the idle action must not blank the screen (with a mode change
// of its own) in the middle of a measurement, even when a full mode change
// re-arms the watcher meanwhile; the idle period starts at the run's end.
TEST_F(CalibrationBracket, NoIdleActionDuringARunAndIdleTimeCountsFromItsEnd)
{
    constexpr DWORD kTimeoutMs = 300;
    calibtest::LoadCalibrationBoard("calib-three");
    CalibrationRig rig;
    auto calibrator = rig.BoardCalibrator(2);
    IdleWatcher& watcher = IdleWatcher::Instance();
    watcher.SetEnabled(true);
    watcher.SetTimeout(kTimeoutMs);

    BeginCalibration(*calibrator);
    Sleep(kTimeoutMs + 50);
    EXPECT_FALSE(watcher.Poll());
    // What a full mode change does to the watcher.
    watcher.Restart();
    watcher.SetEnabled(true);
    watcher.SetTimeout(kTimeoutMs);
    Sleep(kTimeoutMs + 50);
    EXPECT_FALSE(watcher.Poll());
    EndCalibration(*calibrator, false);

    EXPECT_FALSE(watcher.Poll()) << "the run counted as idle time";
    Sleep(kTimeoutMs + 50);
    EXPECT_TRUE(watcher.Poll());
    watcher.SetEnabled(false);
}

TEST_F(CalibrationBracket, MissingProfileDiffersFromNothing)
{
    calibtest::LoadCalibrationBoard("calib-four");
    EXPECT_FALSE(CalibrationProfileDiffers());
}

} // namespace
