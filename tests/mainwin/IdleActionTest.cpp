// The idle action on an older board (ACPI interface 1) asks the nap
// utility to act, unless no gear level is known. A board without the power
// gear knows none; asking the library for one there is a failed
// precondition that ends the process, so the case runs in a child.

#include "app/IdleAction.h"
#include "board/core/BoardStore.h"
#include "engine/IdleWatcher.h"
#include "tests/board/support/BoardTestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>

namespace {

constexpr UINT kMsgNap = WM_USER + 16;

// A window of the nap utility's class and caption, counting its requests.
class NapUtilityWindow {
public:
    NapUtilityWindow()
    {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = &NapUtilityWindow::Proc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "TMainForm";
        RegisterClassA(&windowClass);
        window_ = CreateWindowExA(0, "TMainForm", "Dozla", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    }
    ~NapUtilityWindow() { DestroyWindow(window_); }
    NapUtilityWindow(const NapUtilityWindow&) = delete;
    NapUtilityWindow& operator=(const NapUtilityWindow&) = delete;

    HWND Handle() const { return window_; }
    static std::atomic<int> naps;

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == kMsgNap)
            ++naps;
        return DefWindowProcA(window, message, wParam, lParam);
    }
    HWND window_;
};
std::atomic<int> NapUtilityWindow::naps{0};

void ChangeBoard(const std::function<void(vboard::BoardState&)>& change)
{
    ASSERT_TRUE(vboard::BoardStore().Update([&](vboard::BoardState& state) {
        change(state);
        return true;
    }));
}

} // namespace

TEST(IdleActionChild, DISABLED_NoGearLevelNoNap)
{
    NapUtilityWindow nap;
    ASSERT_NE(nap.Handle(), nullptr);
    IdleWatcher& watcher = IdleWatcher::Instance();
    watcher.Restart();
    watcher.SetEnabled(true);
    watcher.SetTimeout(0);
    Sleep(50);
    RunIdleAction();
    EXPECT_EQ(NapUtilityWindow::naps, 0);
}

TEST(IdleAction, BoardWithoutPowerGearAsksTheNapUtilityNothingAndGoesOn)
{
    vboard::BoardState saved;
    ASSERT_TRUE(vboard::BoardStore().Read(saved));
    ChangeBoard([](vboard::BoardState& state) {
        state.knobs["tamsel_supported"] = "0";
        state.interfaceValues.resize(3);
        state.interfaceValues[1] = 0x01000000;
    });
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, sizeof self);
    const std::string program = std::string(self).substr(std::string(self).find_last_of('\\') + 1);
    const boardtest::ProcessResult child =
        boardtest::Run(program, "--gtest_also_run_disabled_tests --gtest_filter=IdleActionChild.*");
    ChangeBoard([&](vboard::BoardState& state) {
        state.knobs = saved.knobs;
        state.interfaceValues = saved.interfaceValues;
    });
    EXPECT_EQ(child.exitCode, 0u) << child.out << child.err;
    EXPECT_NE(child.out.find("[  PASSED  ] 1 test"), std::string::npos) << child.out;
}
