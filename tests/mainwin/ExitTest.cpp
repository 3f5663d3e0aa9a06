// The exit message while the program is busy: in a calibration, and while
// a mode change hangs in the firmware. Either way the process goes within
// seconds and leaves no crash guard behind, so the next start at log-on
// restores the last mode as usual.

#include "app/PrivateMessages.h"
#include "tests/mainwin/ProgramRig.h"

#include <gtest/gtest.h>

#include <string>

using namespace programtest;

namespace {
constexpr DWORD kExitMs = 5000;
constexpr DWORD kHungExitMs = 10000;

std::optional<DWORD> Flag(const char* name)
{
    return ReadDword(kAdvanceKey, name);
}

// The calibration's progress form is made at start; it is up while a run goes.
bool ProgressShown(Program& program)
{
    for (const ProcessWindow& window : program.Process().Windows())
        if (window.windowClass == "TProgressDialog" && IsWindowVisible(window.handle))
            return true;
    return false;
}

void PostExit(const Program& program)
{
    PostMessageA(program.Window(), kMsgExit, kMessageTag, 0);
}
} // namespace

TEST(ProgramExit, ExitDuringACalibrationEndsTheProgramAndTheNextStartRestoresTheLastMode)
{
    ResetProgramRegistry();
    WriteDword(kRootKey, "LastMode", 1);
    Tuning modes[5];
    modes[2].spinDown = 900; // a reset at the next start would bring back 1200
    WriteTunings(modes);
    // Without thresholds Auto asks for a calibration first.
    for (int i = 1; i <= 6; ++i)
        DeleteValue(kRootKey, ("Threshold" + std::to_string(i)).c_str());
    {
        Program program("");
        ASSERT_TRUE(program.Started());
        PostMessageA(program.Window(), kMsgAuto, 0, 0);
        ASSERT_TRUE(Eventually([&] { return ProgressShown(program); }, 10000)) << "no calibration";
        ASSERT_EQ(Flag("Calibration_Flag"), DWORD(1));

        PostExit(program);
        ASSERT_TRUE(program.Process().WaitForExit(kExitMs)) << "the exit was lost in the calibration";
        EXPECT_EQ(program.Process().ExitCode(), 0u);
    }
    EXPECT_EQ(Flag("Calibration_Flag"), DWORD(0));
    EXPECT_EQ(Flag("Gear_Flag"), DWORD(0));
    EXPECT_EQ(ReadDword(kRootKey, "LastMode"), DWORD(1));

    Program next("-b");
    ASSERT_TRUE(next.Started());
    // The restore is under way (it applies the mode a minute later): only
    // that path sets the log-on guard.
    EXPECT_TRUE(Eventually([] { return Flag("CheckSafeFlag") == DWORD(1); }, 5000)) << "the last mode is not restored";
    EXPECT_EQ(ReadTuning(2).spinDown, 900u) << "the settings were reset";
    PostMessageA(next.Window(), kMsgShowMainWindow, kMessageTag, 0);
    EXPECT_TRUE(Eventually([&] { return IsWindowVisible(next.Window()) != 0; }, 5000));
    EXPECT_EQ(FindDialog(next.Process(), 500), nullptr) << "a notice at the first show";
}

TEST(ProgramExit, ExitWhileAModeChangeHangsEndsAtOnceWithoutTheCrashGuard)
{
    ResetProgramRegistry();
    Program program("");
    ASSERT_TRUE(program.Started());
    ASSERT_TRUE(WaitForLevel(0));
    // The firmware takes far longer over the level than the exit waits.
    SetBoardKnob("tamsel_set_level_delay_ms", "15000");
    PostMessageA(program.Window(), kMsgMediumSaving, 0, 0);
    ASSERT_TRUE(Eventually([] { return Flag("Gear_Flag") == DWORD(1); }, 5000));

    PostExit(program);
    // The exit's bounded wait, then Wine takes its time to end a process
    // whose thread is busy; far less than the change would take.
    const bool ended = program.Process().WaitForExit(kHungExitMs);
    ClearBoardKnob("tamsel_set_level_delay_ms");
    ASSERT_TRUE(ended);
    EXPECT_EQ(program.Process().ExitCode(), 0u);
    EXPECT_EQ(Flag("Gear_Flag"), DWORD(0));
    EXPECT_EQ(BoardItem(kGearLevelItem), 0u);
}

namespace {
constexpr uint32_t kCpuFanControl = 0x04070010;
constexpr uint32_t kChassisFanControl = 0x04070070;

bool GearFlagIs(DWORD value)
{
    return Eventually([&] { return Flag("Gear_Flag") == value; }, kModeChangeMs);
}

// A running program driving the fans itself, with quiet fans in Max Power
// Saving. It knows what the fans look like once handed back from there,
// and stands in Max Power Saving with the quiet profile.
class FanExitTest : public testing::Test {
protected:
    void SetUp() override
    {
        cpuFanControl_ = BoardItem(kCpuFanControl);
        chassisFanControl_ = BoardItem(kChassisFanControl);
        ResetProgramRegistry();
        Tuning modes[5];
        modes[3].fan = 1;
        WriteTunings(modes);
        SetBoardItem(kCpuFanControl, 0);
        SetBoardItem(kChassisFanControl, 0);
        program_ = std::make_unique<Program>("");
        ASSERT_TRUE(program_->Started());
        ASSERT_TRUE(WaitForLevel(0));
        ToMaxSaving();
        PostMessageA(program_->Window(), kMsgHighPerformance, 0, 0);
        ASSERT_TRUE(WaitForLevel(0));
        ASSERT_TRUE(GearFlagIs(0));
        handedBack_ = SuperIoRegisters();
        ToMaxSaving();
        ASSERT_NE(SuperIoRegisters(), handedBack_) << "no quiet fans";
    }
    void TearDown() override
    {
        ClearBoardKnob("tamsel_set_level_delay_ms");
        ClearBoardKnob("sio.delay_ms");
        program_.reset();
        SetBoardItem(kCpuFanControl, cpuFanControl_);
        SetBoardItem(kChassisFanControl, chassisFanControl_);
    }

    void ToMaxSaving()
    {
        PostMessageA(program_->Window(), kMsgMaxSaving, 0, 0);
        ASSERT_TRUE(WaitForLevel(2));
        ASSERT_TRUE(GearFlagIs(0));
    }

    std::unique_ptr<Program> program_;
    std::map<uint32_t, uint8_t> handedBack_;
    uint32_t cpuFanControl_ = 1, chassisFanControl_ = 1;
};
} // namespace

// The change back to High Performance is stuck in the firmware when the
// exit ends the process: the exit hands the fans back itself.
TEST_F(FanExitTest, ExitCuttingOffTheChangeToHighPerformanceHandsTheFansBack)
{
    SetBoardKnob("tamsel_set_level_delay_ms", "15000");
    PostMessageA(program_->Window(), kMsgHighPerformance, 0, 0);
    ASSERT_TRUE(GearFlagIs(1));
    PostExit(*program_);
    ASSERT_TRUE(program_->Process().WaitForExit(kHungExitMs));
    EXPECT_EQ(SuperIoRegisters(), handedBack_) << "the fans are left on the quiet profile";
}

// On a slow bus the change's fan sequences outlast the exit's wait: the
// process must not end inside one, which would leave the chip half
// programmed and the vendor's Super-I/O lock taken for every other program.
TEST_F(FanExitTest, ExitNeverEndsTheProcessInsideAChipSequence)
{
    HANDLE sioLock = CreateEventA(nullptr, FALSE, TRUE, "VANTOR_SIO_MUTEX");
    ASSERT_NE(sioLock, nullptr);
    SetBoardKnob("sio.delay_ms", "300");
    const auto before = SuperIoRegisters();
    PostMessageA(program_->Window(), kMsgHighPerformance, 0, 0);
    ASSERT_TRUE(Eventually([&] { return SuperIoRegisters() != before; }, kModeChangeMs)) << "no fan sequence began";
    PostExit(*program_);
    // The exit's wait, the sequence under way, and the exit's own hand-back.
    ASSERT_TRUE(program_->Process().WaitForExit(40000));
    ClearBoardKnob("sio.delay_ms");
    EXPECT_EQ(WaitForSingleObject(sioLock, 0), WAIT_OBJECT_0) << "the Super-I/O lock is left taken";
    SetEvent(sioLock);
    CloseHandle(sioLock);
    EXPECT_EQ(SuperIoRegisters(), handedBack_);
}
