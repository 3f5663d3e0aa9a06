#include "tests/exit/BusyProgramRig.h"

#include "app/PrivateMessages.h"

#include <gtest/gtest.h>

#include <string>

using namespace programtest;

namespace exittest {
namespace {
// What the system waits for the answers, and a program's grace after them.
constexpr DWORD kAnswerMs = 5000;
constexpr DWORD kGraceMs = 2000;
} // namespace

std::optional<DWORD> Flag(const char* name)
{
    return ReadDword(kAdvanceKey, name);
}

bool WindowShown(Program& program, const char* windowClass)
{
    for (const ProcessWindow& window : program.Process().Windows())
        if (window.windowClass == windowClass && IsWindowVisible(window.handle))
            return true;
    return false;
}

void WriteOwnSettings(DWORD idleTimeoutOfMedium)
{
    WriteDword(kRootKey, "LastMode", 1);
    Tuning modes[5];
    modes[2].spinDown = kOwnSpinDown; // the default is 1200
    modes[2].idleTimeout = idleTimeoutOfMedium;
    WriteTunings(modes);
}

void ForgetThresholds()
{
    for (int i = 1; i <= 6; ++i)
        DeleteValue(kRootKey, ("Threshold" + std::to_string(i)).c_str());
}

void StartCalibration(Program& program)
{
    PostMessageA(program.Window(), kMsgAuto, 0, 0);
    // The progress form is made at start; it is up while a run goes.
    ASSERT_TRUE(Eventually([&] { return WindowShown(program, "TProgressDialog"); }, 10000)) << "no calibration";
    ASSERT_EQ(Flag("Calibration_Flag"), DWORD(1));
}

void LogOff(Program& program)
{
    DWORD_PTR answer = 0;
    ASSERT_TRUE(SendMessageTimeoutA(program.Window(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_NORMAL, kAnswerMs,
                                    &answer));
    EXPECT_NE(answer, 0u) << "the program refused the log-off";
    // A program that ends itself meanwhile leaves the call unanswered.
    SendMessageTimeoutA(program.Window(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_NORMAL, kAnswerMs, &answer);
    program.Process().WaitForExit(kGraceMs);
    program.Process().Kill();
}

void ExpectCleanLogOn()
{
    EXPECT_EQ(ReadDword(kRootKey, "LastMode"), DWORD(1));
    Program next("-b");
    ASSERT_TRUE(next.Started());
    // The restore is under way (it applies the mode a minute later): only
    // that path sets the log-on guard.
    EXPECT_TRUE(Eventually([] { return Flag("CheckSafeFlag") == DWORD(1); }, 5000)) << "the last mode is not restored";
    EXPECT_EQ(ReadTuning(2).spinDown, kOwnSpinDown) << "the settings were reset";
    PostMessageA(next.Window(), kMsgShowMainWindow, kMessageTag, 0);
    EXPECT_TRUE(Eventually([&] { return IsWindowVisible(next.Window()) != 0; }, 5000));
    EXPECT_EQ(FindDialog(next.Process(), 500), nullptr) << "a notice at the first show";
}

} // namespace exittest
