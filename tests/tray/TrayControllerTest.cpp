#include "FakeTrayServices.h"
#include "ShellRecorder.h"
#include "TrayIconColour.h"
#include "app/TrayController.h"
#include "engine/AdvanceSettings.h"
#include "framework/TApplication.h"
#include "framework/TForm.h"
#include "framework/TTimer.h"
#include "policy/Policies.h"
#include "tests/engine/RegistryFixture.h"
#include "tests/support/MessagePump.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <thread>

namespace {

constexpr UINT kCallback = 1224;

AdvanceSettings& Settings()
{
    return AdvanceSettings::Instance();
}

std::optional<DWORD> AdvanceValue(const char* name)
{
    return test_registry::ReadDword(HKEY_LOCAL_MACHINE, test_registry::kAdvance, name);
}

IconPicture ShippedPicture(int index)
{
    return ReadIcon(LoadTrayIconFile(TrayIconFolder(), index).Get());
}

struct MenuSnapshot {
    bool tipsChecked = false;
    bool runChecked = false;
    std::string captions[3];
    int hidesBefore = 0;
};

MenuSnapshot Snapshot(HMENU menu)
{
    MenuSnapshot shot;
    shot.tipsChecked = (GetMenuState(menu, 0, MF_BYPOSITION) & MF_CHECKED) != 0;
    shot.runChecked = (GetMenuState(menu, 1, MF_BYPOSITION) & MF_CHECKED) != 0;
    for (int i = 0; i < 3; ++i) {
        char text[64] = {};
        GetMenuStringA(menu, i, text, sizeof(text), MF_BYPOSITION);
        shot.captions[i] = text;
    }
    return shot;
}

class TrayControllerTest : public testing::Test {
protected:
    void SetUp() override
    {
        Application().SetTitle("Ordun-6 Engine");
        Settings().SetBalloonTipsEnabled(false);
        Settings().SetRunAtStartup(true);
        Settings().ClearGear_Flag();
        Settings().ClearCalibration_Flag();
        form.reset(new TForm(nullptr));
        form->OnClose = [this](TObject*, TCloseAction&) {
            ++closes;
        };
    }
    void TearDown() override { Settings().SetBalloonTipsEnabled(true); }

    void Create()
    {
        tray.emplace(services, shell.Notify(), TrayIconFolder());
        tray->Create(form.get(), kCallback);
    }
    TTimer& BalloonTimer()
    {
        auto* timer = dynamic_cast<TTimer*>(form->FindComponent(TrayController::kBalloonTimerName));
        EXPECT_NE(timer, nullptr);
        return *timer;
    }
    void Hover() { tray->OnNotify(WM_MOUSEMOVE); }
    ShellCall LastModify()
    {
        auto modifies = shell.Calls(NIM_MODIFY);
        EXPECT_FALSE(modifies.empty());
        return modifies.empty() ? ShellCall{} : modifies.back();
    }

    ShellRecorder shell;
    FakeTrayServices services;
    std::unique_ptr<TForm> form;
    // Declared after the form: goes first, as the process-wide one never does.
    std::optional<TrayController> tray;
    int closes = 0;
};

} // namespace

TEST_F(TrayControllerTest, CreateAddsTheIconWithTheTitleAndTheModesPicture)
{
    services.level = GearLevel::MaxSaving;
    Create();

    const auto adds = shell.Calls(NIM_ADD);
    ASSERT_EQ(adds.size(), 1u);
    const ShellCall& add = adds[0];
    EXPECT_EQ(add.data.hWnd, form->Handle());
    EXPECT_EQ(add.data.uID, 1u);
    EXPECT_EQ(add.data.uCallbackMessage, kCallback);
    EXPECT_STREQ(add.data.szTip, "Ordun-6 Engine");
    EXPECT_STREQ(add.data.szInfoTitle, "Ordun-6 Engine");
    EXPECT_EQ(add.data.dwInfoFlags, 17u);
    EXPECT_EQ(add.data.uTimeoutOrVersion, 10000u);
    EXPECT_TRUE(add.Has(NIF_ICON) && add.iconAlive);
    EXPECT_TRUE(ReadIcon(add.data.hIcon) == ShippedPicture(3)) << "Max saving's picture";

    EXPECT_FALSE(BalloonTimer().Enabled()) << "tips are off";
}

TEST_F(TrayControllerTest, ShellThatIsNotReadyGetsTheIconOnTheNextRefresh)
{
    shell.FailAdds(3);
    Create();
    EXPECT_EQ(shell.Calls(NIM_ADD).size(), 3u);
    EXPECT_TRUE(shell.Calls(NIM_MODIFY).empty());

    tray->Refresh();
    EXPECT_EQ(shell.Calls(NIM_ADD).size(), 4u);
    tray->RefreshIcon();
    EXPECT_TRUE(LastModify().iconAlive);
}

TEST_F(TrayControllerTest, RefreshIconSwapsToTheCurrentModesPictureAndFreesTheOldOne)
{
    Create();
    struct Case {
        bool overclocked;
        int level;
        bool pending;
        int gear;
        int index;
    };
    const Case cases[] = {
        {false, GearLevel::Turbo, false, 1, 0},
        {false, GearLevel::Auto, false, 2, 2},
        {false, GearLevel::Auto, true, 3, 1},
        {true, GearLevel::MaxSaving, false, 1, 0},
        {false, GearLevel::MediumSaving, false, 1, 2},
    };
    HICON previous = nullptr;
    for (const Case& c : cases) {
        services.overclocked = c.overclocked;
        services.level = c.level;
        services.restorePending = c.pending;
        services.autoGear = c.gear;
        tray->RefreshIcon();
        const ShellCall modify = LastModify();
        ASSERT_TRUE(modify.Has(NIF_ICON) && modify.iconAlive);
        EXPECT_TRUE(ReadIcon(modify.data.hIcon) == ShippedPicture(c.index)) << "level " << c.level;
        if (previous) {
            ICONINFO info{};
            EXPECT_FALSE(GetIconInfo(previous, &info)) << "the replaced picture was not destroyed";
        }
        previous = modify.data.hIcon;
    }
}

TEST_F(TrayControllerTest, MissingIconFileShowsTheBuiltInPicture)
{
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    services.level = GearLevel::Turbo;
    tray.emplace(services, shell.Notify(), std::string(temp) + "no-such-folder\\");
    tray->Create(form.get(), kCallback);
    const ShellCall add = shell.Calls(NIM_ADD).at(0);
    ASSERT_TRUE(add.Has(NIF_ICON) && add.iconAlive);
    EXPECT_TRUE(ReadIcon(add.data.hIcon) == ShippedPicture(0));
}

TEST_F(TrayControllerTest, HoverShowsTheBalloonOnceUntilTheTimerHidesIt)
{
    services.level = GearLevel::HighPerformance;
    Create();
    Settings().SetBalloonTipsEnabled(true);

    Hover();
    ASSERT_EQ(shell.BalloonsShown().size(), 1u);
    EXPECT_EQ(shell.BalloonsShown()[0], "Current mode: High Performance Mode");
    EXPECT_TRUE(BalloonTimer().Enabled());
    EXPECT_EQ(BalloonTimer().Interval(), 5000u);

    Hover();
    Hover();
    EXPECT_EQ(shell.BalloonsShown().size(), 1u) << "hovering again within 5 s must not show it again";

    // A refresh while the balloon is up keeps it up.
    tray->RefreshIcon();
    EXPECT_TRUE(LastModify().Has(NIF_INFO));
    EXPECT_EQ(LastModify().Balloon(), "Current mode: High Performance Mode");

    const int hides = shell.BalloonHides();
    const DWORD start = GetTickCount();
    ASSERT_TRUE(PumpUntil([&] { return !BalloonTimer().Enabled(); }, 8000));
    const DWORD elapsed = GetTickCount() - start;
    EXPECT_GE(elapsed, 4500u);
    EXPECT_EQ(shell.BalloonHides(), hides + 1);

    tray->RefreshIcon();
    EXPECT_FALSE(LastModify().Has(NIF_INFO)) << "a refresh must not bring a hidden balloon back";

    const size_t shown = shell.BalloonsShown().size();
    Hover();
    EXPECT_EQ(shell.BalloonsShown().size(), shown + 1) << "after the timer, hovering shows it again";
}

TEST_F(TrayControllerTest, WithTipsOffHoverShowsNothing)
{
    Create();
    Hover();
    Hover();
    EXPECT_TRUE(shell.BalloonsShown().empty());
    EXPECT_FALSE(BalloonTimer().Enabled());
}

TEST_F(TrayControllerTest, ShellBalloonEventsHideItAgainAfterOneSecond)
{
    Create();
    for (LPARAM event : {LPARAM(NIN_BALLOONHIDE), LPARAM(NIN_BALLOONUSERCLICK)}) {
        const int hides = shell.BalloonHides();
        tray->OnNotify(event);
        EXPECT_TRUE(BalloonTimer().Enabled());
        EXPECT_EQ(BalloonTimer().Interval(), 1000u);
        const DWORD start = GetTickCount();
        ASSERT_TRUE(PumpUntil([&] { return !BalloonTimer().Enabled(); }, 4000));
        EXPECT_GE(GetTickCount() - start, 800u);
        EXPECT_EQ(shell.BalloonHides(), hides + 1);
    }
}

TEST_F(TrayControllerTest, BalloonTextNamesTheModeOrTheReasonNone)
{
    Create();
    Settings().SetBalloonTipsEnabled(true);
    struct Case {
        bool overclocked;
        int level;
        bool tweakDisabled;
        const char* text;
    };
    const Case cases[] = {
        {false, GearLevel::Turbo, false, "Current mode: Turbo Mode"},
        {false, GearLevel::MaxSaving, true, "Current mode: Max. Power Saving Mode"},
        {false, GearLevel::Auto, false, "Current mode: Auto"},
        {false, GearLevel::Auto, true, "Current mode: Auto\nTweak It is disabled in the BIOS setup."},
        {false, 7, false, "Current mode: High Performance Mode"},
        {true, GearLevel::Auto, true, "Ordun is not available while the system is overclocked."},
    };
    for (const Case& c : cases) {
        services.overclocked = c.overclocked;
        services.level = c.level;
        services.tweakDisabled = c.tweakDisabled;
        tray->UpdateBalloon();
        ASSERT_FALSE(shell.BalloonsShown().empty());
        EXPECT_EQ(shell.BalloonsShown().back(), c.text);
    }
}

TEST_F(TrayControllerTest, LeftClickRestoresTheMainWindow)
{
    Create();
    tray->OnNotify(WM_LBUTTONUP);  // no handler yet: nothing happens
    int restores = 0;
    tray->SetRestoreHandler([&] { ++restores; });
    tray->OnNotify(WM_LBUTTONUP);
    EXPECT_EQ(restores, 1);
    // Shells that pass the icon id in the high word.
    tray->OnNotify(MAKELPARAM(WM_LBUTTONUP, 1));
    EXPECT_EQ(restores, 2);
    tray->OnNotify(WM_LBUTTONDOWN);
    EXPECT_EQ(restores, 2);
}

TEST_F(TrayControllerTest, MenuShowsTheStoredOptionsAndTogglesThem)
{
    Create();
    Settings().SetBalloonTipsEnabled(true);
    Settings().SetRunAtStartup(false);
    Hover();
    ASSERT_EQ(shell.BalloonsShown().size(), 1u);

    MenuSnapshot first;
    services.popup = [&](HMENU menu) {
        first = Snapshot(menu);
        first.hidesBefore = shell.BalloonHides();
        return UINT(TrayController::kMenuBalloonTips);
    };
    tray->OnNotify(WM_RBUTTONUP);
    EXPECT_EQ(first.captions[0], "Show Balloon Tips");
    EXPECT_EQ(first.captions[1], "Run at Startup");
    EXPECT_EQ(first.captions[2], "Exit");
    EXPECT_TRUE(first.tipsChecked);
    EXPECT_FALSE(first.runChecked);
    EXPECT_GE(first.hidesBefore, 1) << "the balloon must be gone before the menu opens";
    EXPECT_FALSE(Settings().IsBalloonTipsEnabled());
    EXPECT_EQ(AdvanceValue("BalloonToolDisabled"), std::optional<DWORD>(1));
    EXPECT_TRUE(BalloonTimer().Enabled());
    EXPECT_EQ(BalloonTimer().Interval(), 5000u);

    MenuSnapshot second;
    services.popup = [&](HMENU menu) {
        second = Snapshot(menu);
        return UINT(TrayController::kMenuRunAtStartup);
    };
    tray->OnNotify(WM_RBUTTONUP);
    EXPECT_FALSE(second.tipsChecked);
    EXPECT_FALSE(second.runChecked);
    EXPECT_TRUE(Settings().IsRunAtStartup());
    EXPECT_EQ(AdvanceValue("RunAtSystemStartup"), std::optional<DWORD>(0));

    // Tips back on through the menu; closing it without a choice changes nothing.
    services.popup = [](HMENU) { return UINT(TrayController::kMenuBalloonTips); };
    tray->OnNotify(WM_RBUTTONUP);
    EXPECT_EQ(AdvanceValue("BalloonToolDisabled"), std::optional<DWORD>(0));
    services.popup = [](HMENU) { return 0u; };
    tray->OnNotify(WM_RBUTTONUP);
    EXPECT_TRUE(Settings().IsBalloonTipsEnabled());
    EXPECT_TRUE(Settings().IsRunAtStartup());
    EXPECT_EQ(closes, 0);
}

// The automation page's item comes after Exit, below a separator: the first
// three items keep their places and meanings.
TEST_F(TrayControllerTest, AutomationItemFollowsExitAndOpensThePage)
{
    Create();
    int count = 0;
    std::string caption;
    bool separator = false;
    services.popup = [&](HMENU menu) {
        count = GetMenuItemCount(menu);
        separator = (GetMenuState(menu, 3, MF_BYPOSITION) & MF_SEPARATOR) != 0;
        char text[64] = {};
        GetMenuStringA(menu, 4, text, sizeof(text), MF_BYPOSITION);
        caption = text;
        return UINT(GetMenuItemID(menu, 4));
    };
    tray->OnNotify(WM_RBUTTONUP);
    EXPECT_EQ(count, 5);
    EXPECT_TRUE(separator);
    EXPECT_EQ(caption, "Automation...");
    EXPECT_EQ(services.log, (std::vector<std::string>{"PopupMenu", "ShowAutomationPage"}));
    EXPECT_EQ(closes, 0);
}

TEST_F(TrayControllerTest, SwitchingTipsOffHidesTheBalloon)
{
    Create();
    Settings().SetBalloonTipsEnabled(true);
    tray->UpdateBalloon();
    const int hides = shell.BalloonHides();
    tray->RunMenuCommand(TrayController::kMenuBalloonTips);
    EXPECT_EQ(shell.BalloonHides(), hides + 1);
}

// The menu's Exit ends the program the way the exit message does (the
// program's exit waits for the change and clears the crash guards); it
// only asks first, and switches to High Performance when told to.
TEST_F(TrayControllerTest, ExitInHighPerformanceExitsWithoutAQuestion)
{
    Create();
    services.popup = [](HMENU) { return UINT(TrayController::kMenuExit); };
    tray->OnNotify(WM_RBUTTONUP);

    EXPECT_EQ(services.log, (std::vector<std::string>{"PopupMenu", "ExitProgram"}));
    EXPECT_EQ(closes, 0) << "the tray closed the window itself";
}

TEST_F(TrayControllerTest, ExitAnsweredNoStays)
{
    services.level = GearLevel::Turbo;
    services.confirmAnswer = 2;
    Create();
    tray->RunMenuCommand(TrayController::kMenuExit);

    EXPECT_EQ(services.log, std::vector<std::string>{"ConfirmExit"});
}

TEST_F(TrayControllerTest, ExitSwitchesToHighPerformanceBeforeTheProgramsExit)
{
    services.level = GearLevel::Turbo;
    services.confirmAnswer = 1;
    Create();
    tray->RunMenuCommand(TrayController::kMenuExit);

    EXPECT_EQ(services.log, (std::vector<std::string>{"ConfirmExit", "SetMode 0 full", "ExitProgram"}));
}

// Exit chosen while a message or a calibration is up (the menu works from
// inside its modal loop): the question cannot be shown over it, and the
// exit must not be lost. The open dialog goes and the exit asks once the
// loop that showed it is over.
TEST_F(TrayControllerTest, ExitDuringADialogClosesItAndAsksAfterwards)
{
    services.level = GearLevel::Turbo;
    services.dialogShown = true;
    Create();
    tray->RunMenuCommand(TrayController::kMenuExit);
    EXPECT_EQ(services.log, std::vector<std::string>{"CloseDialog"});
    ASSERT_EQ(services.later.size(), 1u);

    services.dialogShown = false;
    services.later.front()();
    EXPECT_EQ(services.log, (std::vector<std::string>{"CloseDialog", "ConfirmExit", "SetMode 0 full", "ExitProgram"}));
}

TEST_F(TrayControllerTest, ExitWhileOverclockedAsksNothing)
{
    services.level = GearLevel::Turbo;
    services.overclocked = true;
    Create();
    tray->RunMenuCommand(TrayController::kMenuExit);
    EXPECT_EQ(services.log, std::vector<std::string>{"ExitProgram"});
}

TEST_F(TrayControllerTest, RefreshesFromTheModeWorkerAndTheMainThreadDoNotCollide)
{
    Settings().SetBalloonTipsEnabled(true);
    services.level = GearLevel::Auto;
    Create();
    shell.SetDelay(1);
    std::atomic<bool> stop{false};
    std::thread worker([&] {
        for (int i = 0; i < 200 && !stop; ++i) {
            services.autoGear = i % 4;
            tray->RefreshIcon();
        }
    });
    for (int i = 0; i < 200; ++i) {
        tray->Refresh();
        tray->OnNotify(NIN_BALLOONHIDE);
    }
    stop = true;
    worker.join();

    int withIcon = 0;
    for (const ShellCall& call : shell.Calls()) {
        if (!call.Has(NIF_ICON))
            continue;
        ++withIcon;
        EXPECT_TRUE(call.iconAlive) << "the shell was handed a picture that was already destroyed";
    }
    EXPECT_GT(withIcon, 200);
}

TEST_F(TrayControllerTest, ShellRestartGetsTheIconBack)
{
    EXPECT_EQ(TrayController::TaskbarCreatedMessage(), RegisterWindowMessageA("TaskbarCreated"));
    services.level = GearLevel::MediumSaving;
    Create();
    shell.Clear();
    tray->OnTaskbarCreated();
    const auto adds = shell.Calls(NIM_ADD);
    ASSERT_EQ(adds.size(), 1u);
    EXPECT_TRUE(adds[0].iconAlive);
    EXPECT_TRUE(ReadIcon(adds[0].data.hIcon) == ShippedPicture(2));
}

TEST_F(TrayControllerTest, IconLeavesWithTheMainWindow)
{
    Create();
    shell.Clear();
    form.reset();
    ASSERT_EQ(shell.Calls(NIM_DELETE).size(), 1u);

    shell.Clear();
    tray->RefreshIcon();
    tray->Refresh();
    Hover();
    tray->OnNotify(WM_RBUTTONUP);
    EXPECT_TRUE(shell.Calls().empty());
    EXPECT_EQ(std::count(services.log.begin(), services.log.end(), "PopupMenu"), 0);
}

// Items the organisation's policies manage are grayed, show the policy's
// value and do nothing when chosen anyway; the others work as ever.
TEST_F(TrayControllerTest, ManagedItemsAreGrayedAndDoNothing)
{
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, policy::kPolicyKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                              nullptr),
              ERROR_SUCCESS);
    const DWORD off = 0, on = 1;
    RegSetValueExA(key, policy::PolicyName::RunAtLogOn, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&off), 4);
    RegSetValueExA(key, policy::PolicyName::ExitHidden, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&on), 4);
    RegCloseKey(key);
    policy::RefreshPolicies();
    struct Forget {
        ~Forget()
        {
            RegDeleteKeyA(HKEY_CURRENT_USER, policy::kPolicyKey);
            policy::RefreshPolicies();
        }
    } forget;

    services.level = GearLevel::Turbo;
    Create();
    UINT states[3] = {};
    services.popup = [&](HMENU menu) {
        for (int i = 0; i < 3; ++i)
            states[i] = GetMenuState(menu, i, MF_BYPOSITION);
        return UINT(TrayController::kMenuExit);
    };
    tray->OnNotify(WM_RBUTTONUP);
    EXPECT_FALSE(states[0] & MF_GRAYED) << "balloon tips are the user's";
    EXPECT_TRUE(states[1] & MF_GRAYED);
    EXPECT_FALSE(states[1] & MF_CHECKED) << "run at log-on shows the policy's off, not the user's on";
    EXPECT_TRUE(states[2] & MF_GRAYED);
    tray->RunMenuCommand(TrayController::kMenuRunAtStartup);
    EXPECT_TRUE(Settings().IsRunAtStartup()) << "the user's choice is kept for when the policy goes";
    EXPECT_EQ(services.log, std::vector<std::string>{"PopupMenu"}) << "no question, no exit";
}
