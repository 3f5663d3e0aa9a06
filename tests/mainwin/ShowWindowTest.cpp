// Showing the main window: the notices of the first show, the refusals
// while conflicting software runs, and the registration with the system
// service that the window keeps retrying.

#include "app/PrivateMessages.h"
#include "board/core/BoardStore.h"
#include "kelp/System/Language.h"
#include "tests/mainwin/ProgramRig.h"

#include <gtest/gtest.h>

using namespace programtest;

namespace {

// A top-level window that looks like another program's.
class ForeignWindow {
public:
    ForeignWindow(const char* windowClass, const char* caption)
    {
        WNDCLASSA registration{};
        registration.lpfnWndProc = DefWindowProcA;
        registration.hInstance = GetModuleHandleA(nullptr);
        registration.lpszClassName = windowClass;
        RegisterClassA(&registration);
        window_ = CreateWindowExA(0, windowClass, caption, WS_OVERLAPPED, 0, 0, 100, 100, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    }
    ~ForeignWindow() { DestroyWindow(window_); }
    HWND Handle() const { return window_; }

private:
    HWND window_;
};

void ForgetInstallation()
{
    ResetProgramRegistry();
    DeleteValue(kRootKey, "NotFirstTime");
    DeleteValue("Software\\VANTOR\\Gruvo Driver", "Version");
}

// On a fresh installation: brings the window up, reads and answers the
// notice that comes first, and returns the welcome question after it.
HWND PassFirstNotice(Program& program, std::string& notice)
{
    PostMessageA(program.Window(), kMsgRestore, kMessageTag, 0);
    HWND first = FindDialog(program.Process(), 10000);
    if (!first)
        return nullptr;
    notice = DialogText(first);
    Answer(first, 2);
    return FindDialog(program.Process(), 10000);
}

} // namespace

TEST(ShowWindow, FirstShowTellsOfTheMissingDriverAndOffersCalibration)
{
    ForgetInstallation();
    Program program("-b");
    ASSERT_TRUE(program.Started());
    std::string notice;
    HWND welcome = PassFirstNotice(program, notice);
    EXPECT_EQ(notice, kelp::Translate("GruvoNotInstalled"));
    ASSERT_NE(welcome, nullptr);
    EXPECT_EQ(DialogText(welcome), kelp::Translate("FirstRunOrdun-6") + "\n" + kelp::Translate("CloseUnnecessaryPrograms"));
    EXPECT_EQ(ButtonText(welcome, 1), kelp::Translate("RunCalibration"));
    EXPECT_EQ(ButtonText(welcome, 2), kelp::Translate("Exit"));
    EXPECT_FALSE(IsWindowVisible(program.Window()));
    Answer(welcome, 2);
    EXPECT_TRUE(Eventually([&] { return IsWindowVisible(program.Window()) != 0; }, 5000));
    EXPECT_EQ(ReadDword(kRootKey, "NotFirstTime"), DWORD(1));

    // Both notices are told once.
    PostMessageA(program.Window(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(Eventually([&] { return !IsWindowVisible(program.Window()); }, 5000));
    PostMessageA(program.Window(), kMsgShowMainWindow, kMessageTag, 0);
    EXPECT_TRUE(Eventually([&] { return IsWindowVisible(program.Window()) != 0; }, 5000));
    EXPECT_EQ(FindDialog(program.Process(), 500), nullptr);
    // The tag is required.
    PostMessageA(program.Window(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(Eventually([&] { return !IsWindowVisible(program.Window()); }, 5000));
    PostMessageA(program.Window(), kMsgRestore, 84, 0);
    Sleep(1000);
    EXPECT_FALSE(IsWindowVisible(program.Window()));
}

// Minimising a hidden window would put it on the taskbar, from where it
// could be restored past the refusals of the guarded show.
TEST(ShowWindow, MinimisingNeverRevealsTheHiddenWindow)
{
    ResetProgramRegistry();
    Program program("-b");
    ASSERT_TRUE(program.Started());
    PostMessageA(program.Window(), kMsgMinimize, kMessageTag, 0);
    Sleep(1000);
    EXPECT_FALSE(IsWindowVisible(program.Window()));

    PostMessageA(program.Window(), kMsgShowMainWindow, kMessageTag, 0);
    ASSERT_TRUE(Eventually([&] { return IsWindowVisible(program.Window()) != 0; }, 5000));
    PostMessageA(program.Window(), kMsgMinimize, kMessageTag, 0);
    EXPECT_TRUE(Eventually([&] { return IsIconic(program.Window()) != 0; }, 5000)) << "a shown window is minimised";
}

TEST(ShowWindow, ExitWhileTheCalibrationIsOfferedOrRunningEndsTheProgramAndTheRun)
{
    for (const bool calibrate : {false, true}) {
        ForgetInstallation();
        Program program("-b");
        ASSERT_TRUE(program.Started());
        std::string notice;
        HWND welcome = PassFirstNotice(program, notice);
        ASSERT_NE(welcome, nullptr);
        ASSERT_EQ(ButtonText(welcome, 1), kelp::Translate("RunCalibration"));
        if (calibrate) {
            Answer(welcome, 1);
            const auto progressUp = [&] {
                for (const ProcessWindow& window : program.Process().Windows())
                    if (window.windowClass == "TProgressDialog" && IsWindowVisible(window.handle))
                        return true;
                return false;
            };
            ASSERT_TRUE(Eventually(progressUp, 10000)) << "the calibration did not start";
        }

        EXPECT_TRUE(program.Exit()) << "the program hung; calibrating: " << calibrate;
        EXPECT_EQ(ReadDword(kAdvanceKey, "Calibration_Flag").value_or(0), DWORD(0)) << "calibrating: " << calibrate;
    }
}

TEST(ShowWindow, ASuiteUtilityOnAnOlderBoardKeepsTheWindowHidden)
{
    ResetProgramRegistry();
    std::string error;
    ASSERT_TRUE(vboard::BoardStore().LoadProfile("legacy", error)) << error;
    ForeignWindow suite("TfrmMain", "Brosk");
    ASSERT_NE(suite.Handle(), nullptr);
    {
        Program program("-b");
        ASSERT_TRUE(program.Started());
        PostMessageA(program.Window(), kMsgShowMainWindow, kMessageTag, 0);
        HWND box = FindDialog(program.Process(), 10000);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(DialogText(box), kelp::Translate("CanNotRunUnderCorvex"));
        Answer(box, 2);
        Sleep(1000);
        EXPECT_FALSE(IsWindowVisible(program.Window()));
    }
    ASSERT_TRUE(vboard::BoardStore().LoadProfile("current", error)) << error;
}

TEST(ShowWindow, ServiceRegistrationIsRetriedUntilAcceptedAndUndoneAtExit)
{
    ResetProgramRegistry();
    ClearBoardKnob("vantorservice_attempts");
    SetBoardKnob("vantorservice_refusals", "2");
    Program program("-b");
    ASSERT_TRUE(program.Started());
    const std::string window = std::to_string(uintptr_t(program.Window()));
    EXPECT_TRUE(Eventually([&] { return BoardKnob("vantorservice_window") == window; }, 15000));
    EXPECT_EQ(BoardKnob("vantorservice_attempts"), "3");
    EXPECT_EQ(BoardKnob("vantorservice_client"), "70714792-4D69-4785-8BF0-2572169B3F30");
    Sleep(4000);
    EXPECT_EQ(BoardKnob("vantorservice_attempts"), "3") << "retried after the registration was accepted";
    ASSERT_TRUE(program.Exit());
    EXPECT_EQ(BoardKnob("vantorservice_window"), std::nullopt);
}
