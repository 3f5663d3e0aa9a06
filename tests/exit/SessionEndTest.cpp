// The end of the Windows session while the program is busy (the case of a
// calibration is with the exit's). Whatever the program had in flight must
// be over when the system ends the process, or the next log-on finds a
// crash guard set, resets every setting and says so; and a black screen
// must not leave the sound muted behind.

#include "app/PrivateMessages.h"
#include "tests/exit/BusyProgramRig.h"

#include <gtest/gtest.h>

#include <string>

using namespace exittest;
using namespace programtest;

TEST(SessionEnd, ALogOffWhileAModeChangeHangsLeavesNeitherItsLevelNorItsGuard)
{
    ResetProgramRegistry();
    WriteOwnSettings();
    constexpr DWORD kChangeMs = 6000;
    {
        Program program("");
        ASSERT_TRUE(program.Started());
        ASSERT_TRUE(WaitForLevel(0));
        SetBoardKnob("tamsel_set_level_delay_ms", std::to_string(kChangeMs));
        const DWORD requested = GetTickCount();
        PostMessageA(program.Window(), kMsgMediumSaving, 0, 0);
        ASSERT_TRUE(Eventually([] { return Flag("Gear_Flag") == DWORD(1); }, 5000));
        LogOff(program);
        // Had the change lived on, it would have written its level by now.
        const DWORD elapsed = GetTickCount() - requested;
        if (elapsed < kChangeMs + 1000)
            Sleep(kChangeMs + 1000 - elapsed);
        ClearBoardKnob("tamsel_set_level_delay_ms");
    }
    EXPECT_EQ(Flag("Gear_Flag"), DWORD(0));
    EXPECT_EQ(BoardItem(kGearLevelItem), 0u);
    ExpectCleanLogOn();
}

// The idle time-out is a minute at least: the longest case here.
TEST(SessionEnd, ALogOffUnderTheBlackScreenGivesBackSoundAndDisplay)
{
    ResetProgramRegistry();
    WriteOwnSettings(60000);
    Program program("");
    ASSERT_TRUE(program.Started());
    ASSERT_TRUE(WaitForLevel(0));
    // Medium Power Saving starts the idle watch; the screen goes black a
    // minute later.
    PostMessageA(program.Window(), kMsgMediumSaving, 0, 0);
    ASSERT_TRUE(Eventually([&] { return WindowShown(program, "TBlackScreen"); }, 90000)) << "no black screen";
    const auto soundOff = [] { return BoardKnob("dozla_sound") == "0" || BoardKnob("mutevol_mute") == "1"; };
    ASSERT_TRUE(soundOff());
    ASSERT_EQ(BoardKnob("dozla_screen"), "0");

    LogOff(program);
    EXPECT_FALSE(soundOff()) << "the sound stays muted";
    EXPECT_EQ(BoardKnob("dozla_screen"), "1");
}
