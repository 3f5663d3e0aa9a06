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
