// The automation in the running program on the virtual board: a program
// rule holds its mode while its program runs and gives the mode from before
// back (unless the user chose meanwhile), a schedule window switches while
// it lasts, a hotkey pressed on the keyboard switches, a combination that
// another program holds is told as taken, and damaged stored settings load
// without harm.

#include "app/PrivateMessages.h"
#include "automation/HotkeyBinder.h"
#include "engine/RegistryLayout.h"
#include "kelp/System/WinRegistry.h"
#include "tests/automation/AutomationRig.h"
#include "tests/board/support/BoardTestSupport.h"
#include "tests/mainwin/ProgramRig.h"

#include <gtest/gtest.h>

using namespace programtest;
using namespace automationtest;

namespace {

// One 5-second tick, the change itself and Wine's slowness.
constexpr DWORD kTickMs = 5000 + 4000;

class AutomationProgram : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetProgramRegistry();
        ClearAutomation();
    }
    void TearDown() override
    {
        program_.reset();
        ClearAutomation();
    }

    void Start()
    {
        program_ = std::make_unique<Program>("");
        ASSERT_TRUE(program_->Started());
        ASSERT_TRUE(WaitForLevel(0)) << "the start-up level";
    }

    // The level stays for a while (checked a few times over it).
    bool Stays(uint32_t level, DWORD ms)
    {
        for (DWORD waited = 0; waited < ms; waited += 500) {
            if (BoardItem(kGearLevelItem) != level)
                return false;
            Sleep(500);
        }
        return true;
    }

    std::unique_ptr<Program> program_;
};

TEST_F(AutomationProgram, ARuleHoldsItsModeWhileItsProgramRuns)
{
    WriteAutomation(RegValue::AutomationRules, "16384|render.exe\n");
    Start();
    ASSERT_TRUE(Stays(0, kTickMs)) << "no rule applies yet";

    {
        Helper render("render.exe");
        ASSERT_TRUE(render.Running());
        EXPECT_TRUE(WaitForLevel(0x4000, kTickMs)) << "Turbo within a tick";
    }
    EXPECT_TRUE(WaitForLevel(0, kTickMs)) << "the mode from before comes back";

    // The user chooses Medium meanwhile: it stays when the program ends.
    Helper render("render.exe");
    ASSERT_TRUE(WaitForLevel(0x4000, kTickMs));
    PostMessageA(program_->Window(), kMsgMediumSaving, kMessageTag, 0);
    ASSERT_TRUE(WaitForLevel(1));
    EXPECT_TRUE(Stays(1, kTickMs)) << "the user's choice beats the running rule";
    render.End();
    EXPECT_TRUE(Stays(1, kTickMs)) << "the user's choice stays after the program ended";
}

TEST_F(AutomationProgram, AScheduleWindowSwitchesWhileItLastsAndRestoresAfter)
{
    // From this minute to the next one, every day: it ends within a minute.
    SYSTEMTIME now{};
    GetLocalTime(&now);
    const int minute = now.wHour * 60 + now.wMinute;
    WriteAutomation(RegValue::AutomationSchedule,
                    "127|" + std::to_string(minute) + "|" + std::to_string((minute + 1) % 1440) + "|2\n");
    Start();
    EXPECT_TRUE(WaitForLevel(2, kTickMs)) << "Max Power Saving while the window lasts";
    EXPECT_TRUE(WaitForLevel(0, 60000 + kTickMs)) << "the mode from before once it ended";
}

TEST_F(AutomationProgram, DamagedStoredSettingsLoadWithoutHarm)
{
    std::string rules;
    for (int i = 0; i < 40; ++i)
        rules += "\x01\xff garbage|||\n99999999999|x.exe\n|\n";
    WriteAutomation(RegValue::AutomationRules, rules);
    WriteAutomation(RegValue::AutomationSchedule, "127|0|1439|16384\n127|0|1439|2\n" + std::string(20000, '7'));
    WriteAutomation(RegValue::AutomationHotkeys, "turbo=1,3\nnext=7,7,7\n\xfe\xfe=1,1,1\n");
    Start();
    // The oversized schedule is ignored whole, the garbage rules are
    // invalid, the program runs on and leaves the mode alone.
    EXPECT_TRUE(Stays(0, kTickMs));
    EXPECT_TRUE(program_->Process().Running());

    // Damaged entries around a good one: the good one works.
    program_.reset();
    WriteAutomation(RegValue::AutomationRules, "junk\n7|a.exe\n16384|render.exe\n|||\n");
    WriteAutomation(RegValue::AutomationSchedule, "");
    Start();
    Helper render("render.exe");
    EXPECT_TRUE(WaitForLevel(0x4000, kTickMs));
}

// Under Wine's null display driver a hotkey's keys reach the program only
// while one of its windows has the focus; with the window in the tray the
// system's message is posted as the system would post it.
TEST_F(AutomationProgram, AHotkeyWithTheWindowInTheTraySwitchesAndLeavesItThere)
{
    WriteAutomation(RegValue::AutomationHotkeys, "medium=1,3,77\nnext=1,3,78\n");
    Start();
    PostMessageA(program_->Window(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(Eventually([&] { return !IsWindowVisible(program_->Window()); }, 10000));
    const auto press = [&](automation::HotkeyAction action) {
        PostMessageA(program_->Window(), WM_HOTKEY, automation::HotkeyBinder::kFirstId + int(action),
                     MAKELPARAM(MOD_CONTROL | MOD_ALT, 'M'));
    };
    press(automation::HotkeyAction::Medium);
    EXPECT_TRUE(WaitForLevel(1)) << "Medium by the hotkey";
    press(automation::HotkeyAction::NextMode);
    EXPECT_TRUE(WaitForLevel(2)) << "the next mode after Medium";
    // A hotkey that is not set does nothing.
    press(automation::HotkeyAction::Turbo);
    EXPECT_TRUE(Stays(2, 2000));
    EXPECT_FALSE(IsWindowVisible(program_->Window())) << "the window stays in the tray";
}

TEST_F(AutomationProgram, AHotkeyPressedWithTheWindowShownGoesTheDialsWay)
{
    WriteAutomation(RegValue::AutomationHotkeys, "turbo=1,3,84\n");  // Ctrl+Alt+T
    Start();
    PostMessageA(program_->Window(), kMsgShowMainWindow, kMessageTag, 0);
    ASSERT_TRUE(Eventually([&] { return IsWindowVisible(program_->Window()) != FALSE; }, 10000));
    PostMessageA(program_->Window(), kMsgForeground, kMessageTag, 0);
    Sleep(500);
    ASSERT_TRUE(PressKeys({VK_CONTROL, VK_MENU, 'T'})) << "the input was not taken";
    EXPECT_TRUE(WaitForLevel(0x4000)) << "Turbo by the hotkey, window shown";
    EXPECT_TRUE(IsWindowVisible(program_->Window()));
}

} // namespace
