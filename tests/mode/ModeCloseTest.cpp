// The exit arriving as a sent message while a request waits for the change
// before it: the request must not start its change once the exit has run,
// and the exit's wait covers the change it let through. A process of its
// own, since the exit closes the mode engine for good.

#include "engine/AdvanceSettings.h"
#include "engine/ModeModel.h"
#include "tests/mode/ModeBoard.h"

#include <gtest/gtest.h>

#include <thread>

using namespace modetest;

namespace {
constexpr uint32_t kGearLevelItem = 0x0B060001;
constexpr UINT kExitMessage = WM_APP + 1;

// What the exit found when its wait for the running change ended.
struct ExitSeen {
    bool settled = false;
    uint32_t level = 0;
    bool gearFlagClear = false;
};
ExitSeen exitSeen;

LRESULT CALLBACK ExitWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != kExitMessage)
        return DefWindowProcA(window, message, wParam, lParam);
    CloseModeChanges();
    exitSeen.settled = WaitForModeChange(10000);
    exitSeen.level = BoardValue(kGearLevelItem);
    exitSeen.gearFlagClear = AdvanceSettings::Instance().IsGear_FlagClear();
    return 0;
}

class ModeCloseTest : public ModeBoardTest {};

TEST_F(ModeCloseTest, ExitSentDuringARequestsWaitStopsThatRequest)
{
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = ExitWindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "ModeCloseTestExit";
    ASSERT_NE(RegisterClassA(&windowClass), 0);
    HWND window = CreateWindowA("ModeCloseTestExit", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);

    SetKnob("tamsel_set_level_delay_ms", "1500");
    SetModeNoVga(GearLevel::MediumSaving, false);
    // Another program sends the exit while the next request waits.
    std::thread installer([window] {
        Sleep(400);
        SendMessageA(window, kExitMessage, 0, 0);
    });
    SetModeNoVga(GearLevel::Turbo, false);
    installer.join();
    ASSERT_TRUE(WaitForModeChange(10000));
    Sleep(500); // a change let through late would have begun by now

    EXPECT_TRUE(exitSeen.settled);
    EXPECT_EQ(exitSeen.level, uint32_t(GearLevel::MediumSaving)) << "the exit did not wait for the running change";
    EXPECT_TRUE(exitSeen.gearFlagClear);
    EXPECT_EQ(BoardValue(kGearLevelItem), uint32_t(GearLevel::MediumSaving)) << "a change started after the exit";
    EXPECT_TRUE(AdvanceSettings::Instance().IsGear_FlagClear());
    EXPECT_EQ(refreshes.count, 1);
    DestroyWindow(window);
}

} // namespace
