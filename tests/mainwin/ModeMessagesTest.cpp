// Mode requests that other programs post to the running program: the
// board's level, the recorded last mode, the crash guard, the mode's
// spin-down time, fans and idle action, the graphics companion, the tray
// icon, and the energy accounts.

#include "app/PrivateMessages.h"
#include "ipc/VgaServer.h"
#include "tests/mainwin/ProgramRig.h"
#include "tests/board/support/BoardTestSupport.h"
#include "tests/pipes/PipeTestSupport.h"
#include "tests/support/FakeNotificationArea.h"
#include "tests/support/TrayPictures.h"

#include <gtest/gtest.h>

using namespace programtest;

namespace {

constexpr uint32_t kCpuFanControl = 0x04070010;
constexpr uint32_t kChassisFanControl = 0x04070070;

// Distinct spin-down times per mode; quiet fans in the two saving modes.
void WriteModeSettings(DWORD mediumIdleTimeout = 0)
{
    Tuning modes[5];
    modes[0].spinDown = 300;
    modes[1].spinDown = 600;
    modes[2].spinDown = 900;
    modes[2].fan = 1;
    modes[2].idleTimeout = mediumIdleTimeout;
    modes[3].spinDown = 1500;
    modes[3].fan = 1;
    WriteTunings(modes);
}

void StoreThresholds()
{
    for (int i = 1; i <= 6; ++i)
        WriteDword(kRootKey, ("Threshold" + std::to_string(i)).c_str(), DWORD(8 + 2 * i));
}

uint32_t CompanionMode()
{
    uint32_t mode = 0xFFFFFFFF;
    EXPECT_TRUE(kelp::VgaServer::Instance().GetVgaMode(mode));
    return mode;
}

constexpr uint32_t kAnyMode = 0xFFFFFFFF;
// Auto's tray picture is that of the gear it runs at.
constexpr int kAnyIcon = -2;

struct Expected {
    UINT message;
    uint32_t level;
    DWORD spinDown;
    uint32_t companion;
    int trayIcon;
};

} // namespace

TEST(ModeMessages, EachRequestAppliesTheModeWithItsSettings)
{
    ResetProgramRegistry();
    // Without the boost driver the graphics card is the companion's.
    DeleteValue("Software\\VANTOR\\Gruvo Driver", "Version");
    WriteModeSettings();
    StoreThresholds();
    // Board fan control off: the program drives the fans itself.
    SetBoardItem(kCpuFanControl, 0);
    SetBoardItem(kChassisFanControl, 0);
    pipetest::PeerProcess companion("vgacompanion.exe", "--caps 3 --sync 1 --mode 0");
    ASSERT_TRUE(pipetest::WaitForPipe("VANTOR Ordun VGA PIPE", 10000));
    traytest::FakeNotificationArea tray;
    const traytest::TrayPictures pictures(boardtest::RuntimeFolder() + "Resource\\");

    Program program("");
    ASSERT_TRUE(program.Started());
    ASSERT_TRUE(WaitForLevel(0));
    const auto normalFans = SuperIoRegisters();

    // 1055 leaves the graphics card where it is: Turbo from the step before.
    // Auto takes the shortest spin-down of the other modes; the card, which
    // has no Auto of its own, is not compared there.
    const Expected steps[] = {
        {kMsgMediumSaving, 1, 900, 1, 2},
        {kMsgMaxSaving, 2, 1500, 2, 3},
        {kMsgTurbo, 0x4000, 300, 0x4000, 0},
        {kMsgHighPerformance, 0, 600, 0x4000, 1},
        {kMsgAuto, 0x8000, 300, kAnyMode, kAnyIcon},
    };
    for (const Expected& step : steps) {
        SCOPED_TRACE(step.message);
        ASSERT_TRUE(PostMessageA(program.Window(), step.message, 0, 0));
        ASSERT_TRUE(WaitForLevel(step.level));
        EXPECT_TRUE(Eventually([] { return ReadDword(kAdvanceKey, "Gear_Flag") == DWORD(0); }, kModeChangeMs));
        EXPECT_EQ(ReadDword(kRootKey, "LastMode"), DWORD(step.level));
        EXPECT_TRUE(Eventually([&] { return BoardKnob("spindown_timeout") == std::to_string(step.spinDown); }, kModeChangeMs))
            << "spin-down " << BoardKnob("spindown_timeout").value_or("none");
        if (step.companion != kAnyMode) {
            EXPECT_EQ(CompanionMode(), step.companion);
        }
        if (step.level == 1 || step.level == 2) {
            EXPECT_NE(SuperIoRegisters(), normalFans) << "quiet fans in a saving mode";
        }
        if (step.trayIcon != kAnyIcon) {
            EXPECT_EQ(traytest::WaitForPicture(tray, program.Window(), 1, pictures, step.trayIcon, kModeChangeMs),
                      step.trayIcon) << "the tray icon's picture";
        }
    }
    companion.Control("quit");
}

TEST(ModeMessages, RequestsWithAnyTagAreHonouredButOtherMessagesAreNot)
{
    ResetProgramRegistry();
    WriteModeSettings();
    Program program("");
    ASSERT_TRUE(program.Started());
    ASSERT_TRUE(WaitForLevel(0));
    PostMessageA(program.Window(), kMsgMediumSaving, 1234, 99);
    EXPECT_TRUE(WaitForLevel(1));
    // Neighbouring numbers are no mode requests.
    PostMessageA(program.Window(), kMsgAuto + 1, 0, 0);
    PostMessageA(program.Window(), kMsgHighPerformance - 2, 0, 0);
    Sleep(2000);
    EXPECT_EQ(BoardItem(kGearLevelItem), 1u);
}

TEST(ModeMessages, SavingModesAddToTheEnergyAccountsAndHighPerformanceDoesNot)
{
    ResetProgramRegistry();
    WriteModeSettings();
    Program program("");
    ASSERT_TRUE(program.Started());
    PostMessageA(program.Window(), kMsgMaxSaving, 0, 0);
    ASSERT_TRUE(WaitForLevel(2));
    // Let one tick pass at the new level before measuring.
    Sleep(5500);
    const double total = ReadDouble(kMbAccountKey, "TotalSaving");
    const double cumulative = ReadDouble(kMbAccountKey, "CumulativeSaving");
    ASSERT_GE(total, 0.0) << "no account written";
    Sleep(11000);
    // Two ticks or more at 46 % of at least 2.5 W: over 0.0016 Wh each.
    EXPECT_GT(ReadDouble(kMbAccountKey, "TotalSaving"), total + 0.003);
    EXPECT_GT(ReadDouble(kMbAccountKey, "CumulativeSaving"), cumulative + 0.003);
    EXPECT_GE(ReadDouble(kMbAccountKey, "CurrentPower"), 2.5);

    PostMessageA(program.Window(), kMsgHighPerformance, 0, 0);
    ASSERT_TRUE(WaitForLevel(0));
    Sleep(5500);
    const double still = ReadDouble(kMbAccountKey, "TotalSaving");
    Sleep(11000);
    EXPECT_DOUBLE_EQ(ReadDouble(kMbAccountKey, "TotalSaving"), still);
}

TEST(ModeMessages, AModeWithAnIdleTimeoutBlanksTheScreenOnceTheUserIsAway)
{
    ResetProgramRegistry();
    WriteModeSettings(60000);
    Program program("");
    ASSERT_TRUE(program.Started());
    PostMessageA(program.Window(), kMsgMediumSaving, 0, 0);
    ASSERT_TRUE(WaitForLevel(1));
    Sleep(50000);
    // The black screen exists from the start, hidden.
    const auto blackScreenUp = [] {
        HWND screen = FindWindowA("TBlackScreen", nullptr);
        return screen && IsWindowVisible(screen);
    };
    EXPECT_FALSE(blackScreenUp()) << "blanked before the time-out";
    EXPECT_TRUE(Eventually(blackScreenUp, 25000));
    EXPECT_TRUE(WaitForLevel(2)) << "no Max Power Saving behind the black screen";
}
