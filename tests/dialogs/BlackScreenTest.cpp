// The black screen: what switches off and on, the mouse rule that tells a
// jitter from a real move, the wake timer, and a second Enter.

#include "engine/ModeModel.h"
#include "screens/blackscreen/BlackScreenGuard.h"
#include "tests/dialogs/DialogForms.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using dialogtest::TheForms;

class RecordingDevices final : public BlackScreenDevices {
public:
    void SoundOff() override { calls.push_back("sound off"); }
    void SoundOn() override { calls.push_back("sound on"); }
    void DisplayOff() override { calls.push_back("display off"); }
    void DisplayOn() override { calls.push_back("display on"); }
    int CurrentLevel() override { return level; }
    void SetMode(int newLevel) override
    {
        calls.push_back("mode " + std::to_string(newLevel));
        level = newLevel;
    }

    int level = GearLevel::Turbo;
    std::vector<std::string> calls;
};

using Calls = std::vector<std::string>;

class BlackScreenTest : public testing::Test {
protected:
    void TearDown() override { guard.Leave(); }

    void EnterAndForget()
    {
        guard.Enter();
        devices.calls.clear();
    }

    RecordingDevices devices;
    BlackScreenGuard guard{*TheForms().blackScreen, devices};
    TBlackScreen& form = *TheForms().blackScreen;
};

TEST_F(BlackScreenTest, EnterSwitchesOffCoversTheScreenAndSavesTheMode)
{
    guard.Enter();
    EXPECT_EQ(devices.calls, (Calls{"sound off", "display off", "mode 2"}));
    EXPECT_TRUE(IsWindowVisible(form.Handle()));
    EXPECT_EQ(form.Left(), 0);
    EXPECT_EQ(form.Top(), 0);
    EXPECT_EQ(form.Width(), GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(form.Height(), GetSystemMetrics(SM_CYSCREEN));
    EXPECT_EQ(form.Cursor(), crNone);
    EXPECT_FALSE(guard.IsArmed());
}

TEST_F(BlackScreenTest, AKeyOrAButtonRestoresSoundDisplayAndTheSavedMode)
{
    for (UINT message : {UINT(WM_KEYDOWN), UINT(WM_LBUTTONDOWN), UINT(WM_RBUTTONDOWN)}) {
        devices.level = GearLevel::HighPerformance;
        EnterAndForget();
        SendMessageA(form.Handle(), message, message == WM_KEYDOWN ? VK_SPACE : 0, MAKELPARAM(5, 5));
        EXPECT_EQ(devices.calls, (Calls{"sound on", "display on", "mode 0"})) << message;
        EXPECT_FALSE(IsWindowVisible(form.Handle()));
        EXPECT_EQ(form.Cursor(), crDefault);
    }
}

TEST_F(BlackScreenTest, ASecondEnterKeepsTheModeSavedByTheFirst)
{
    devices.level = GearLevel::MediumSaving;
    guard.Enter();
    guard.Enter();
    EXPECT_EQ(devices.calls, (Calls{"sound off", "display off", "mode 2"}));
    devices.calls.clear();
    guard.Leave();
    EXPECT_EQ(devices.calls, (Calls{"sound on", "display on", "mode 1"}));
    // Leave while down does nothing.
    devices.calls.clear();
    guard.Leave();
    EXPECT_TRUE(devices.calls.empty());
}

TEST_F(BlackScreenTest, AnExitGivesBackSoundAndDisplayAndLeavesTheModeToItself)
{
    EnterAndForget();
    SendMessageA(form.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
    guard.Withdraw();
    EXPECT_EQ(devices.calls, (Calls{"sound on", "display on"}));
    EXPECT_FALSE(IsWindowVisible(form.Handle()));
    EXPECT_EQ(form.Cursor(), crDefault);
    EXPECT_FALSE(guard.WakeTimer().Enabled());
    devices.calls.clear();
    guard.Withdraw();
    guard.Leave();
    EXPECT_TRUE(devices.calls.empty()) << "down already";
}

TEST_F(BlackScreenTest, JitterOfUpToTenPixelsNeverWakesElevenDoes)
{
    EnterAndForget();
    SendMessageA(form.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(100, 100));
    EXPECT_TRUE(guard.IsArmed());
    // Moves that alternate arming and disarming, each at most 10 px (sum of
    // both axes) from the one before.
    const POINT jitter[] = {{106, 104}, {100, 100}, {110, 100}, {110, 110}, {103, 113}, {100, 106}};
    for (const POINT& p : jitter) {
        SendMessageA(form.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(p.x, p.y));
        ASSERT_TRUE(guard.IsShown()) << p.x << "," << p.y;
    }
    EXPECT_TRUE(devices.calls.empty());
    // The last move armed it again; 11 px from there is a real move.
    ASSERT_TRUE(guard.IsArmed());
    SendMessageA(form.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(106, 111));
    EXPECT_FALSE(guard.IsShown());
    EXPECT_EQ(devices.calls, (Calls{"sound on", "display on", "mode " + std::to_string(GearLevel::Turbo)}));
}

TEST_F(BlackScreenTest, TheArmingMoveRestartsTheWakeTimerWhoseTickSwitchesTheDisplayOffAgain)
{
    EnterAndForget();
    EXPECT_FALSE(guard.WakeTimer().Enabled());
    SendMessageA(form.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
    EXPECT_TRUE(guard.WakeTimer().Enabled());
    EXPECT_EQ(guard.WakeTimer().Interval(), 10000u);
    EXPECT_TRUE(devices.calls.empty()) << "the first move woke the screen";

    guard.WakeTimerTick();
    EXPECT_EQ(devices.calls, (Calls{"display off"}));
    EXPECT_FALSE(guard.WakeTimer().Enabled());
    EXPECT_TRUE(guard.IsShown());

    // Still armed: a jitter disarms, the next move arms and starts the timer
    // again, and a real move leaves and stops it.
    SendMessageA(form.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(12, 12));
    EXPECT_FALSE(guard.IsArmed());
    SendMessageA(form.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(40, 40));
    EXPECT_TRUE(guard.WakeTimer().Enabled());
    SendMessageA(form.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(60, 60));
    EXPECT_FALSE(guard.IsShown());
    EXPECT_FALSE(guard.WakeTimer().Enabled());
}

// Each arming move restarts the count, also while the count of an earlier
// arming still runs: the display goes off a full interval after the last
// one (the interval is shortened here).
TEST_F(BlackScreenTest, ArmingAgainRestartsTheWakeCount)
{
    constexpr unsigned kIntervalMs = 500;
    EnterAndForget();
    guard.WakeTimer().SetInterval(kIntervalMs);
    SendMessageA(form.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
    SendMessageA(form.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(12, 12)); // disarms; the count goes on
    Sleep(kIntervalMs + 100); // the first count runs out, its tick not yet handled
    SendMessageA(form.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(40, 40));
    Application().ProcessMessages();
    EXPECT_TRUE(devices.calls.empty()) << "the first arming's count went on";
    EXPECT_TRUE(PumpUntil([&] { return !devices.calls.empty(); }));
    EXPECT_EQ(devices.calls, Calls{"display off"});
}

} // namespace
