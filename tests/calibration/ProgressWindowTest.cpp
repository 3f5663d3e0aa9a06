// The modal progress window: ticks 1..N at the window's interval, then
// result 1; Cancel or closing ends it with 2 and no further ticks.

#include "screens/progress/ProgressWindow.h"
#include "tests/calibration/CalibrationRig.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class ProgressWindowTest : public testing::Test {
protected:
    void SetUp() override
    {
        if (!calibtest::WindowsAvailable())
            GTEST_SKIP() << "no window driver: the progress window cannot be created";
    }
    static HWND Window() { return FindWindowA(kProgressWindowClass, nullptr); }
    std::vector<int> ticks;
};

TEST_F(ProgressWindowTest, RunsEveryTickInOrderAtItsInterval)
{
    const DWORD start = GetTickCount();
    const int result = ShowProgressWindow(nullptr, 8, 8 * 40, [&](int tick) { ticks.push_back(tick); });
    const DWORD elapsed = GetTickCount() - start;
    EXPECT_EQ(result, 1);
    EXPECT_EQ(ticks, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8}));
    // Nine intervals of 40 ms: eight ticks and the closing one (timers may
    // be late, never early; allow for the timer's granularity).
    EXPECT_GE(elapsed, 9u * 40 - 30);
    EXPECT_EQ(Window(), nullptr);
}

TEST_F(ProgressWindowTest, CancelStopsTheTicks)
{
    const int result = ShowProgressWindow(nullptr, 50, 50 * 20, [&](int tick) {
        ticks.push_back(tick);
        if (tick == 3) {
            HWND window = Window();
            ASSERT_NE(window, nullptr);
            HWND button = GetDlgItem(window, IDCANCEL);
            ASSERT_NE(button, nullptr);
            PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), LPARAM(button));
        }
    });
    EXPECT_EQ(result, 2);
    EXPECT_EQ(ticks, (std::vector<int>{1, 2, 3}));
}

TEST_F(ProgressWindowTest, ClosingCountsAsCancelAndTheOwnerIsFreedAgain)
{
    HWND owner = CreateWindowA("STATIC", "owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(owner, nullptr);
    bool ownerDisabled = false;
    const int result = ShowProgressWindow(owner, 50, 50 * 20, [&](int tick) {
        ticks.push_back(tick);
        ownerDisabled = !IsWindowEnabled(owner);
        PostMessageA(Window(), WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(result, 2);
    EXPECT_EQ(ticks, (std::vector<int>{1}));
    EXPECT_TRUE(ownerDisabled);
    EXPECT_TRUE(IsWindowEnabled(owner));
    DestroyWindow(owner);
}

TEST_F(ProgressWindowTest, NoStepsFinishAtOnce)
{
    EXPECT_EQ(ShowProgressWindow(nullptr, 0, 1000, [&](int tick) { ticks.push_back(tick); }), 1);
    EXPECT_EQ(ShowProgressWindow(nullptr, -5, 1000, [&](int tick) { ticks.push_back(tick); }), 1);
    EXPECT_TRUE(ticks.empty());
    // A window without a step callback still runs its ticks.
    EXPECT_EQ(ShowProgressWindow(nullptr, 2, 20, {}), 1);
}

} // namespace
