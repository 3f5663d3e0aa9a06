// The tests' notification area against Wine's real Shell_NotifyIcon: what
// the program's tray icon sends arrives, per icon, with its tip, balloon
// and picture, and the picture is told apart from the other icon files.

#include "app/TrayIcon.h"
#include "app/TrayModeIcon.h"
#include "tests/support/FakeNotificationArea.h"
#include "tests/support/TrayPictures.h"

#include <gtest/gtest.h>

using traytest::FakeNotificationArea;
using traytest::TrayPictures;

namespace {

const HWND kOwner = reinterpret_cast<HWND>(0x4321);

} // namespace

TEST(FakeNotificationArea, KeepsEachIconAsTheShellWouldShowIt)
{
    FakeNotificationArea area;
    ASSERT_TRUE(area.Up());
    const TrayPictures pictures(TrayIconFolder());
    TIconHandle turbo = LoadTrayIconFile(TrayIconFolder(), 0);
    TIconHandle maxSaving = LoadTrayIconFile(TrayIconFolder(), 3);
    ASSERT_TRUE(turbo && maxSaving);
    {
        TrayIcon icon(kOwner, 1, 1224, "Ordun-6 Engine");
        icon.SetIcon(turbo.Get());
        icon.SetBalloonTitle("Ordun-6 Engine");
        icon.SetBalloonText("Mode: Turbo");
        icon.SetVisible(true);
        icon.ShowBalloon(true);
        TrayIcon other(kOwner, 2, 1224, "other");
        other.SetIcon(maxSaving.Get());
        other.SetVisible(true);

        auto shown = area.Icon(kOwner, 1);
        ASSERT_TRUE(shown);
        EXPECT_TRUE(shown->shown);
        EXPECT_EQ(shown->tip, "Ordun-6 Engine");
        EXPECT_EQ(shown->balloon, "Mode: Turbo");
        EXPECT_EQ(shown->balloonTitle, "Ordun-6 Engine");
        EXPECT_EQ(pictures.IndexOf(shown->icon), 0);
        EXPECT_EQ(pictures.IndexOf(area.Icon(kOwner, 2)->icon), 3);

        // A change of picture without a balloon keeps the balloon text.
        icon.SetIcon(maxSaving.Get());
        icon.Modify(false);
        shown = area.Icon(kOwner, 1);
        EXPECT_EQ(pictures.IndexOf(shown->icon), 3);
        EXPECT_EQ(shown->balloon, "Mode: Turbo");
        EXPECT_EQ(shown->lastCommand, traytest::kNotifyModify);
        // A picture that is none of the files is no match.
        TIconHandle foreign(CopyIcon(LoadIconA(nullptr, IDI_APPLICATION)));
        icon.SetIcon(foreign.Get());
        icon.Modify(false);
        EXPECT_EQ(pictures.IndexOf(area.Icon(kOwner, 1)->icon), -1);
        icon.SetIcon(nullptr);
    }
    const auto removed = area.Icon(kOwner, 1);
    ASSERT_TRUE(removed);
    EXPECT_FALSE(removed->shown);
    EXPECT_EQ(removed->lastCommand, traytest::kNotifyDelete);
    EXPECT_FALSE(area.Icon(kOwner, 3));
}
