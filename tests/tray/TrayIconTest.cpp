#include "ShellRecorder.h"
#include "app/TrayIcon.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const HWND kWindow = reinterpret_cast<HWND>(0x1234);
const HICON kIcon = reinterpret_cast<HICON>(0x5678);
constexpr UINT kCallback = 1224;

} // namespace

TEST(TrayIcon, RecordIsTheSecondGenerationLayoutWithWindowIdAndCallback)
{
    ShellRecorder shell;
    TrayIcon icon(kWindow, 1, kCallback, "Ordun-6 Engine", shell.Notify());
    icon.SetVisible(true);

    const auto calls = shell.Calls();
    ASSERT_GE(calls.size(), 2u);
    for (const ShellCall& call : calls) {
        EXPECT_EQ(call.data.cbSize, UINT(NOTIFYICONDATAA_V2_SIZE));  // 488 in the 32-bit program
        EXPECT_EQ(call.data.hWnd, kWindow);
        EXPECT_EQ(call.data.uID, 1u);
        EXPECT_EQ(call.data.uCallbackMessage, kCallback);
        EXPECT_STREQ(call.data.szTip, "Ordun-6 Engine");
    }
    // The newer behaviour is asked for at construction and again once the
    // shell holds the icon (a version set before the add has no icon to
    // apply to).
    EXPECT_EQ(calls.front().message, DWORD(NIM_SETVERSION));
    EXPECT_EQ(calls.front().data.uTimeoutOrVersion, 3u);
    const auto adds = shell.Calls(NIM_ADD);
    ASSERT_EQ(adds.size(), 1u);
    EXPECT_EQ(calls.back().message, DWORD(NIM_SETVERSION));
    EXPECT_EQ(calls.back().data.uTimeoutOrVersion, 3u);
}

TEST(TrayIcon, FlagsFollowWhatIsSet)
{
    ShellRecorder shell;
    TrayIcon icon(kWindow, 1, kCallback, "", shell.Notify());
    icon.SetVisible(true);
    ASSERT_EQ(shell.Calls(NIM_ADD).size(), 1u);
    EXPECT_EQ(shell.Calls(NIM_ADD)[0].data.uFlags, UINT(NIF_MESSAGE)) << "no icon, no tip";

    icon.SetIcon(kIcon);
    icon.SetTip("tip");
    icon.Modify(false);
    ShellCall modify = shell.Calls(NIM_MODIFY).back();
    EXPECT_EQ(modify.data.uFlags, UINT(NIF_MESSAGE | NIF_ICON | NIF_TIP));
    EXPECT_EQ(modify.data.hIcon, kIcon);

    icon.SetBalloonText("Current mode: Turbo Mode");
    icon.Modify(true);
    modify = shell.Calls(NIM_MODIFY).back();
    EXPECT_EQ(modify.data.uFlags, UINT(NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_INFO));
    EXPECT_EQ(modify.Balloon(), "Current mode: Turbo Mode");

    icon.Modify(false);
    modify = shell.Calls(NIM_MODIFY).back();
    EXPECT_FALSE(modify.Has(NIF_INFO)) << "a plain modify must leave the balloon alone";
}

TEST(TrayIcon, BalloonShowAndHideCarryTitleFlagsAndTimeout)
{
    ShellRecorder shell;
    TrayIcon icon(kWindow, 1, kCallback, "Ordun-6 Engine", shell.Notify());
    icon.SetBalloonTitle("Ordun-6 Engine");
    icon.SetBalloonFlags(17);
    icon.SetBalloonTimeout(10000);
    icon.SetBalloonText("Current mode: Auto");

    icon.ShowBalloon(true);
    EXPECT_TRUE(shell.Calls(NIM_MODIFY).empty()) << "no balloon for an icon that is not there";

    icon.SetVisible(true);
    icon.ShowBalloon(true);
    ShellCall shown = shell.Calls(NIM_MODIFY).back();
    EXPECT_EQ(shown.Balloon(), "Current mode: Auto");
    EXPECT_STREQ(shown.data.szInfoTitle, "Ordun-6 Engine");
    EXPECT_EQ(shown.data.dwInfoFlags, 17u);
    EXPECT_EQ(shown.data.uTimeoutOrVersion, 10000u) << "the version request must not eat the time-out";

    icon.ShowBalloon(false);
    ShellCall hidden = shell.Calls(NIM_MODIFY).back();
    EXPECT_TRUE(hidden.Has(NIF_INFO));
    EXPECT_EQ(hidden.Balloon(), "");
    EXPECT_EQ(icon.BalloonText(), "Current mode: Auto") << "hiding keeps the text for the next balloon";
}

TEST(TrayIcon, LongTextsAreCutToTheirFields)
{
    ShellRecorder shell;
    TrayIcon icon(kWindow, 1, kCallback, std::string(300, 't'), shell.Notify());
    icon.SetBalloonTitle(std::string(100, 'h'));
    icon.SetBalloonText(std::string(400, 'b'));
    icon.SetVisible(true);
    icon.ShowBalloon(true);

    const ShellCall call = shell.Calls(NIM_MODIFY).back();
    EXPECT_EQ(std::string(call.data.szTip), std::string(127, 't'));
    EXPECT_EQ(std::string(call.data.szInfoTitle), std::string(63, 'h'));
    EXPECT_EQ(call.Balloon(), std::string(255, 'b'));
}

TEST(TrayIcon, AddIsTriedThreeTimes)
{
    {
        ShellRecorder shell;
        shell.FailAdds(2);
        TrayIcon icon(kWindow, 1, kCallback, "tip", shell.Notify());
        icon.SetVisible(true);
        EXPECT_EQ(shell.Calls(NIM_ADD).size(), 3u);
        EXPECT_TRUE(icon.Added()) << "the third attempt succeeded";
    }
    {
        ShellRecorder shell;
        shell.FailAdds(3);
        TrayIcon icon(kWindow, 1, kCallback, "tip", shell.Notify());
        icon.SetVisible(true);
        EXPECT_EQ(shell.Calls(NIM_ADD).size(), 3u);
        EXPECT_FALSE(icon.Added());

        // Without an icon the shell hears nothing more of it...
        shell.Clear();
        icon.SetBalloonText("text");
        icon.ShowBalloon(true);
        icon.Modify(true);
        EXPECT_TRUE(shell.Calls().empty());

        // ...until the next request to show it adds it again.
        icon.SetVisible(true);
        EXPECT_EQ(shell.Calls(NIM_ADD).size(), 1u);
        EXPECT_TRUE(icon.Added());
    }
}

TEST(TrayIcon, VisibilityChangesAddOrDeleteOnceAndTheDestructorCleansUp)
{
    ShellRecorder shell;
    {
        TrayIcon icon(kWindow, 1, kCallback, "tip", shell.Notify());
        icon.SetVisible(true);
        icon.SetVisible(true);
        EXPECT_EQ(shell.Calls(NIM_ADD).size(), 1u);
        icon.SetVisible(false);
        icon.SetVisible(false);
        EXPECT_EQ(shell.Calls(NIM_DELETE).size(), 1u);
        icon.SetVisible(true);
    }
    EXPECT_EQ(shell.Calls(NIM_DELETE).size(), 2u) << "the destructor removes an added icon";
    EXPECT_EQ(shell.Calls().back().message, DWORD(NIM_DELETE));

    ShellRecorder never;
    never.FailAdds(3);
    {
        TrayIcon icon(kWindow, 1, kCallback, "tip", never.Notify());
        icon.SetVisible(true);
    }
    EXPECT_TRUE(never.Calls(NIM_DELETE).empty()) << "nothing to remove when the add failed";
}

TEST(TrayIcon, ReaddAfterTheShellRestartedPutsThePictureBack)
{
    ShellRecorder shell;
    TrayIcon icon(kWindow, 1, kCallback, "tip", shell.Notify());
    icon.SetIcon(kIcon);
    icon.SetVisible(true);
    shell.Clear();

    icon.Readd();
    const auto adds = shell.Calls(NIM_ADD);
    ASSERT_EQ(adds.size(), 1u);
    EXPECT_EQ(adds[0].data.hIcon, kIcon);
    EXPECT_TRUE(adds[0].Has(NIF_ICON));
    EXPECT_EQ(shell.Calls().back().message, DWORD(NIM_SETVERSION));
}
