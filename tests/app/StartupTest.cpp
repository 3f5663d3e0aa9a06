#include "ChildProcess.h"
#include "app/CommandLine.h"
#include "app/PrivateMessages.h"
#include "kelp/System/Language.h"
#include "kelp/System/WinRegistry.h"
#include "tests/board/support/BoardTestSupport.h"

#include <gtest/gtest.h>

namespace {

const std::string g_boardState = boardtest::UseOwnBoardState("app-startup");

constexpr DWORD kStartTimeoutMs = 30000;

// A registry value that exists for the life of the object.
class ScopedValue {
public:
    ScopedValue(const char* subKey, const char* name, DWORD value) : m_subKey(subKey), m_name(name)
    {
        kelp::RegistryKey key;
        EXPECT_TRUE(key.Open(HKEY_LOCAL_MACHINE, subKey, true) && key.WriteDword(name, value));
    }
    ScopedValue(const char* subKey, const char* name, const std::string& text) : m_subKey(subKey), m_name(name)
    {
        kelp::RegistryKey key;
        EXPECT_TRUE(key.Open(HKEY_LOCAL_MACHINE, subKey, true) && key.WriteString(name, text));
    }
    ~ScopedValue()
    {
        kelp::RegistryKey key;
        if (key.Open(HKEY_LOCAL_MACHINE, m_subKey.c_str(), false))
            key.DeleteValue(m_name.c_str());
    }

private:
    std::string m_subKey;
    std::string m_name;
};

constexpr const char* kAdvanceKey = "Software\\VANTOR\\Tamsel3\\Advance";
constexpr const char* kRunOnceKey = "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";

void SetBoardItem(const char* id, const char* value)
{
    const auto result = boardtest::Run("boardctl.exe", std::string("set ") + id + " " + value);
    ASSERT_EQ(result.exitCode, 0u) << result.err;
}

// Sets the extreme-tuning pair for one test and clears it afterwards.
class ScopedTuningItems {
public:
    ScopedTuningItems(const char* capability, const char* state)
    {
        SetBoardItem("0x00060008", capability);
        SetBoardItem("0x00060009", state);
    }
    ~ScopedTuningItems()
    {
        SetBoardItem("0x00060008", "0");
        SetBoardItem("0x00060009", "0");
    }
};

bool HasWindowOfClass(const std::vector<ProcessWindow>& windows, const char* windowClass)
{
    for (const ProcessWindow& window : windows)
        if (window.windowClass == windowClass)
            return true;
    return false;
}

// The program ends on its own without ever showing a window.
void ExpectSilentExit(const char* arguments)
{
    PellixProcess pellix(arguments);
    ASSERT_NE(pellix.Id(), 0u) << "Pellix.exe did not start";
    bool windowSeen = false;
    const bool ended = Eventually(
        [&] {
            for (const ProcessWindow& window : pellix.Windows())
                if (window.visible || window.windowClass == "#32770" || window.windowClass == "TMainForm")
                    windowSeen = true;
            return !pellix.Running();
        },
        kStartTimeoutMs);
    ASSERT_TRUE(ended) << "still running with " << arguments;
    EXPECT_FALSE(windowSeen) << "a window appeared with " << arguments;
    EXPECT_EQ(pellix.ExitCode(), 0u);
}

// The program shows one "Ordun" notice with this text and ends once it is
// closed, without creating its main window.
void ExpectRefusalNotice(const char* arguments, const std::string& text)
{
    PellixProcess pellix(arguments);
    HWND box = pellix.WaitForWindow("#32770", kStartTimeoutMs);
    ASSERT_NE(box, nullptr) << "no message box with '" << arguments << "'";
    // The box exists a moment before its texts are filled in.
    Eventually([&] { return !MessageBoxText(box).empty() && GetWindowTextLengthA(box) > 0; }, 5000);
    char caption[64] = {};
    GetWindowTextA(box, caption, sizeof caption);
    EXPECT_STREQ(caption, "Ordun");
    EXPECT_EQ(MessageBoxText(box), text);
    EXPECT_EQ(GetWindow(box, GW_OWNER), nullptr);
    EXPECT_FALSE(HasWindowOfClass(pellix.Windows(), "TMainForm"));
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(pellix.WaitForExit(kStartTimeoutMs));
    EXPECT_EQ(pellix.ExitCode(), 0u);
}

// The program gets as far as its main window; returns it (hidden or not).
HWND ExpectStarted(PellixProcess& pellix)
{
    HWND window = pellix.WaitForWindow("TMainForm", kStartTimeoutMs);
    EXPECT_NE(window, nullptr) << "no main window; " << (pellix.Running() ? "still running" : "ended with exit code ")
                               << (pellix.Running() ? 0 : pellix.ExitCode());
    EXPECT_TRUE(Eventually([&] { return pellix.Windows().size() > 0 && !HasWindowOfClass(pellix.Windows(), "#32770"); },
                           1000));
    return window;
}

void ExpectExitsOnRequest(PellixProcess& pellix, HWND window)
{
    PostMessageA(window, kMsgExit, kMessageTag, 0);
    ASSERT_TRUE(pellix.WaitForExit(kStartTimeoutMs)) << "did not end on the exit message";
    EXPECT_EQ(pellix.ExitCode(), 0u);
}

} // namespace

TEST(CommandLine, BootSwitchIsDashBInEitherCase)
{
    EXPECT_TRUE(IsBootStart({"-b"}));
    EXPECT_TRUE(IsBootStart({"other", "-B"}));
    EXPECT_FALSE(IsBootStart({"/b"}));
    EXPECT_FALSE(IsBootStart({"-boot"}));
    EXPECT_FALSE(IsBootStart({"-"}));
    EXPECT_FALSE(IsBootStart({}));
}

TEST(Startup, PlainStartShowsTheMainWindowAndIgnoresUntaggedMessages)
{
    PellixProcess pellix("");
    HWND window = ExpectStarted(pellix);
    ASSERT_NE(window, nullptr);
    char caption[64] = {};
    GetWindowTextA(window, caption, sizeof caption);
    EXPECT_STREQ(caption, "Pellix");
    EXPECT_TRUE(Eventually([&] { return IsWindowVisible(window) != 0; }, 5000));
    EXPECT_NE(FindWindowA("TApplication", "Ordun-6 Engine"), nullptr) << "application window with its title";

    PostMessageA(window, kMsgExit, 0, 0);
    EXPECT_FALSE(pellix.WaitForExit(1000)) << "ended on an exit message without the tag";
    ExpectExitsOnRequest(pellix, window);
}

TEST(Startup, BootStartStaysHiddenUntilATaggedShowRequest)
{
    for (const char* flag : {"-b", "-B"}) {
        SCOPED_TRACE(flag);
        PellixProcess pellix(flag);
        HWND window = ExpectStarted(pellix);
        ASSERT_NE(window, nullptr);
        Sleep(500);
        EXPECT_FALSE(IsWindowVisible(window));

        SendMessageA(window, kMsgShowMainWindow, 84, 0);
        EXPECT_FALSE(IsWindowVisible(window)) << "shown on a request without the tag";
        SendMessageA(window, kMsgShowMainWindow, kMessageTag, 0);
        EXPECT_TRUE(IsWindowVisible(window));
        ExpectExitsOnRequest(pellix, window);
    }
}

TEST(Startup, SecondInstanceShowsTheHiddenFirstAndLeaves)
{
    PellixProcess first("-b");
    HWND window = ExpectStarted(first);
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(IsWindowVisible(window));

    PellixProcess second("");
    ASSERT_TRUE(second.WaitForExit(kStartTimeoutMs)) << "the second instance kept running";
    EXPECT_EQ(second.ExitCode(), 0u);
    EXPECT_TRUE(Eventually([&] { return IsWindowVisible(window) != 0; }, 5000)) << "first instance still hidden";
    EXPECT_TRUE(first.Running());
    EXPECT_EQ(CountProcesses("Pellix.exe"), 1);
    ExpectExitsOnRequest(first, window);
}

TEST(Startup, TuningUtilityConflictRefusesLoudlyOrSilentlyAtLogOn)
{
    {
        ScopedTuningItems conflict("4", "4");
        ExpectRefusalNotice("", kelp::Translate("IXTUWarning"));
        ExpectSilentExit("-b");
    }
    // Bit 2 in only one of the pair is no conflict.
    ScopedTuningItems halfSet("4", "3");
    PellixProcess pellix("");
    HWND window = ExpectStarted(pellix);
    ASSERT_NE(window, nullptr);
    ExpectExitsOnRequest(pellix, window);
}

TEST(Startup, RunAtStartupSwitchedOffOnlyStopsALogOnStart)
{
    ScopedValue off(kAdvanceKey, "RunAtSystemStartup", 1);
    ExpectSilentExit("-b");
    ExpectSilentExit("-B");
    PellixProcess pellix("");
    HWND window = ExpectStarted(pellix);
    ASSERT_NE(window, nullptr);
    ExpectExitsOnRequest(pellix, window);
}

TEST(Startup, RunAtStartupWithAnotherValueAllowsALogOnStart)
{
    ScopedValue on(kAdvanceKey, "RunAtSystemStartup", 0);
    PellixProcess pellix("-b");
    HWND window = ExpectStarted(pellix);
    ASSERT_NE(window, nullptr);
    ExpectExitsOnRequest(pellix, window);
}

TEST(Startup, PendingInstallRefusesOnlyAPlainStart)
{
    ScopedValue pending(kRunOnceKey, "Pellix Install", std::string("setup.exe /finish"));
    ExpectRefusalNotice("", "You must reboot the system before running this utility");
    PellixProcess pellix("-b");
    HWND window = ExpectStarted(pellix);
    ASSERT_NE(window, nullptr);
    ExpectExitsOnRequest(pellix, window);
}

TEST(Startup, PendingRebootRefusesLoudlyOrSilentlyAtLogOn)
{
    ScopedValue pending(kRunOnceKey, "MBAP_REBOOT", std::string("reboot"));
    ExpectRefusalNotice("", kelp::Translate("NeedReboot"));
    ExpectSilentExit("-b");
}

TEST(Startup, RefusalTextsComeFromTheLanguageFiles)
{
    EXPECT_NE(kelp::Translate("IXTUWarning"), "Error 737");
    EXPECT_NE(kelp::Translate("NeedReboot"), "Error 737");
}
