// A program that dies while a mode change is being applied leaves the
// Gear_Flag crash guard set; the next start falls back to the factory
// settings and tells the user when the window is first shown.

#include "app/PrivateMessages.h"
#include "kelp/System/Language.h"
#include "tests/mainwin/ProgramRig.h"

#include <gtest/gtest.h>

using namespace programtest;

namespace {
void Kill(PellixProcess& process)
{
    HANDLE handle = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, process.Id());
    ASSERT_NE(handle, nullptr);
    TerminateProcess(handle, 1);
    WaitForSingleObject(handle, 10000);
    CloseHandle(handle);
}
} // namespace

TEST(CrashGuard, DeathDuringAModeChangeResetsTheSettingsAndQueuesTheNotice)
{
    ResetProgramRegistry();
    Tuning modes[5];
    modes[2].spinDown = 900;
    modes[2].fan = 0;
    modes[0].idleTimeout = 90000;
    WriteTunings(modes);
    {
        Program program("");
        ASSERT_TRUE(program.Started());
        ASSERT_TRUE(WaitForLevel(0));
        // The firmware takes long enough over the level change to die in it.
        SetBoardKnob("tamsel_set_level_delay_ms", "15000");
        PostMessageA(program.Window(), kMsgMediumSaving, 0, 0);
        ASSERT_TRUE(Eventually([] { return ReadDword(kAdvanceKey, "Gear_Flag") == DWORD(1); }, 5000));
        Kill(program.Process());
        ClearBoardKnob("tamsel_set_level_delay_ms");
    }
    EXPECT_EQ(ReadDword(kAdvanceKey, "Gear_Flag"), DWORD(1));

    Program program("-b");
    ASSERT_TRUE(program.Started());
    EXPECT_TRUE(Eventually([] { return ReadDword(kAdvanceKey, "Gear_Flag") == DWORD(0); }, 5000));
    const Tuning medium = ReadTuning(2);
    EXPECT_EQ(medium.spinDown, 1200u);
    EXPECT_EQ(medium.fan, 1u);
    EXPECT_EQ(ReadTuning(0).idleTimeout, 0u);

    PostMessageA(program.Window(), kMsgShowMainWindow, kMessageTag, 0);
    HWND box = FindDialog(program.Process(), 10000);
    ASSERT_NE(box, nullptr) << "no back-to-default notice";
    EXPECT_EQ(DialogText(box), kelp::Translate("BackToDefault"));
    EXPECT_EQ(ButtonText(box, 2), kelp::Translate("OK"));
    EXPECT_EQ(ButtonText(box, 1), "") << "a notice offers one answer";
    EXPECT_FALSE(IsWindowVisible(program.Window())) << "shown before the notice was read";
    Answer(box, 2);
    EXPECT_TRUE(Eventually([&] { return IsWindowVisible(program.Window()) != 0; }, 5000));

    // The notice is told once.
    PostMessageA(program.Window(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(Eventually([&] { return !IsWindowVisible(program.Window()); }, 5000));
    PostMessageA(program.Window(), kMsgShowMainWindow, kMessageTag, 0);
    EXPECT_TRUE(Eventually([&] { return IsWindowVisible(program.Window()) != 0; }, 5000));
    EXPECT_EQ(FindDialog(program.Process(), 500), nullptr);
}
