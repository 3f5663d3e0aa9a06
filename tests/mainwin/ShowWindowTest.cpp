// Showing the main window: the notices of the first show, the refusals
// while conflicting software runs, and the registration with the system
// service that the window keeps retrying.

#include "app/PrivateMessages.h"
#include "board/core/BoardStore.h"
#include "kelp/System/Language.h"
#include "tests/mainwin/ProgramRig.h"

#include <gtest/gtest.h>

#include <optional>
#include <thread>

using namespace programtest;

namespace {

constexpr uint32_t kOverclockStateItem = 0x09080000;
// Neither of the firmware's two regular states (1 and 2).
constexpr uint32_t kOverclockedByFirmware = 0;

// A top-level window that looks like another program's. A thread of its
// own answers what the program sends it while the test waits.
class ForeignWindow {
public:
    ForeignWindow(const char* windowClass, const char* caption, bool visible = false)
    {
        HANDLE created = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        thread_ = std::thread([=, this] {
            MSG msg;
            PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);  // the thread's queue, for the quit message
            WNDCLASSA registration{};
            registration.lpfnWndProc = DefWindowProcA;
            registration.hInstance = GetModuleHandleA(nullptr);
            registration.lpszClassName = windowClass;
            RegisterClassA(&registration);
            window_ = CreateWindowExA(0, windowClass, caption, WS_OVERLAPPED | (visible ? WS_VISIBLE : 0), 0, 0, 100,
                                      100, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
            threadId_ = GetCurrentThreadId();
            SetEvent(created);
            while (GetMessageA(&msg, nullptr, 0, 0) > 0)
                DispatchMessageA(&msg);
            DestroyWindow(window_);
        });
        WaitForSingleObject(created, INFINITE);
        CloseHandle(created);
    }
    ~ForeignWindow()
    {
        PostThreadMessageA(threadId_, WM_QUIT, 0, 0);
        thread_.join();
    }
    ForeignWindow(const ForeignWindow&) = delete;
    ForeignWindow& operator=(const ForeignWindow&) = delete;

    HWND Handle() const { return window_; }

private:
    std::thread thread_;
    DWORD threadId_ = 0;
    HWND window_ = nullptr;
};

void ForgetInstallation()
{
    ResetProgramRegistry();
    DeleteValue(kRootKey, "NotFirstTime");
    DeleteValue("Software\\VANTOR\\Gruvo Driver", "Version");
}

// The board of the previous generation for one test; the current one again
// afterwards.
class OlderBoard {
public:
    OlderBoard() { loaded_ = vboard::BoardStore().LoadProfile("legacy", error_); }
    ~OlderBoard()
    {
        std::string error;
        EXPECT_TRUE(vboard::BoardStore().LoadProfile("current", error)) << error;
    }
    OlderBoard(const OlderBoard&) = delete;
    OlderBoard& operator=(const OlderBoard&) = delete;

    bool Loaded() const { return loaded_; }
    const std::string& Error() const { return error_; }

private:
    bool loaded_ = false;
    std::string error_;
};

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

TEST(ShowWindow, WhileTheCalibrationIsOfferedOrRunningTheWindowStaysHiddenAndExitEndsBoth)
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
        PostMessageA(program.Window(), kMsgShowMainWindow, kMessageTag, 0);
        Sleep(1000);
        EXPECT_FALSE(IsWindowVisible(program.Window())) << "shown over the dialog; calibrating: " << calibrate;

        EXPECT_TRUE(program.Exit()) << "the program hung; calibrating: " << calibrate;
        EXPECT_EQ(ReadDword(kAdvanceKey, "Calibration_Flag").value_or(0), DWORD(0)) << "calibrating: " << calibrate;
    }
}

// Only boards before ACPI interface version 3 report an overclock or
// watch the other utilities; the first cause found is the one told.
TEST(ShowWindow, RefusalsOnAnOlderBoardTellTheFirstCause)
{
    struct Case {
        const char* name;
        bool overclocked;
        bool stateReadable;  // the firmware's overclock state, through the ACPI library
        bool splint;         // the overclocking utility's window exists
        bool splintVisible;
        bool suite;          // a suite utility of the older generation runs
        const char* refusal;
    };
    const Case cases[] = {
        {"firmware overclock beside the utility", true, true, true, false, false, "CanNotRunUnderBiosOc"},
        {"overclocked by the utility", true, false, true, false, false, "CanNotRunUnderApOc"},
        {"overclocked, cause unknown", true, false, false, false, false, "CanNotRunUnderOverclockingmode"},
        {"suite utility beside the visible utility", false, true, true, true, true, "CanNotRunUnderCorvex"},
        {"visible utility", false, true, true, true, false, "CanNotRunUnderSplint"},
    };
    for (const Case& c : cases) {
        ResetProgramRegistry();
        OlderBoard board;
        ASSERT_TRUE(board.Loaded()) << board.Error();
        if (c.overclocked)
            SetBoardItem(kOverclockStateItem, kOverclockedByFirmware);
        if (!c.stateReadable)
            SetBoardKnob("fail.read", "0x09080000");
        std::optional<ForeignWindow> splint;
        if (c.splint) {
            ASSERT_NE(splint.emplace("TApplication", "Splint", c.splintVisible).Handle(), nullptr) << c.name;
        }
        std::optional<ForeignWindow> suite;
        if (c.suite) {
            ASSERT_NE(suite.emplace("TfrmMain", "Brosk").Handle(), nullptr) << c.name;
        }

        Program program("-b");
        ASSERT_TRUE(program.Started()) << c.name;
        PostMessageA(program.Window(), kMsgShowMainWindow, kMessageTag, 0);
        HWND box = FindDialog(program.Process(), 10000);
        ASSERT_NE(box, nullptr) << c.name << (IsWindowVisible(program.Window()) ? ": the window was shown" : "");
        EXPECT_EQ(DialogText(box), kelp::Translate(c.refusal)) << c.name;
        Answer(box, 2);
        Sleep(500);
        EXPECT_FALSE(IsWindowVisible(program.Window())) << c.name;
    }
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
