// The running program under the organisation's policies, driven from
// outside as a user, another program and pellixctl would: a forced Max
// Power Saving is applied at start and holds against a click on Turbo, the
// screen reader's default action, another program's message and
// `pellixctl set turbo`, each refusal shown in the tray balloon; once the
// policy is gone and the system says policy refreshed, Turbo can be chosen
// again without a restart.

#include "app/PrivateMessages.h"
#include "automation/HotkeyBinder.h"
#include "engine/RegistryLayout.h"
#include "ipc/ControlProtocol.h"
#include "policy/PolicySet.h"
#include "tests/automation/AutomationRig.h"
#include "tests/board/support/BoardTestSupport.h"
#include "tests/ctl/CtlRun.h"
#include "tests/mainwin/AccessibleClient.h"
#include "tests/mainwin/ProgramRig.h"
#include "tests/pipes/PipeTestSupport.h"
#include "tests/support/FakeNotificationArea.h"

#include <gtest/gtest.h>

using namespace programtest;
using accclient::Accessible;

namespace {

constexpr uint32_t kTurbo = 0x4000;
constexpr uint32_t kMaxSaving = 2;
constexpr uint32_t kMediumSaving = 1;
// How long a refused request is given to (wrongly) reach the board.
constexpr DWORD kRefusalSettleMs = 1500;
constexpr char kManagedHint[] = "Managed by your organisation";

void SetPolicy(HKEY root, const char* name, const std::string& text)
{
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(root, policy::kPolicyKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()), DWORD(text.size() + 1));
    RegCloseKey(key);
}

void ClearPolicies()
{
    for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER})
        RegDeleteKeyA(root, policy::kPolicyKey);
}

// What the system sends every top-level window after a policy refresh.
void AnnouncePolicyRefresh()
{
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(HWND_BROADCAST, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>("Policy"), SMTO_ABORTIFHUNG,
                        5000, &ignored);
}

bool Unavailable(const Accessible& node)
{
    return node.State() != -1 && (node.State() & STATE_SYSTEM_UNAVAILABLE) != 0;
}

struct ChildSearch {
    RECT place;
    HWND found;
};

BOOL CALLBACK MatchPlace(HWND child, LPARAM data)
{
    auto* search = reinterpret_cast<ChildSearch*>(data);
    RECT rect{};
    GetWindowRect(child, &rect);
    if (!EqualRect(&rect, &search->place))
        return TRUE;
    search->found = child;
    return FALSE;
}

// The child window at the accessible object's place.
HWND WindowOf(HWND parent, const Accessible& node)
{
    ChildSearch search{node.Location(), nullptr};
    EnumChildWindows(parent, &MatchPlace, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

class PolicyProgram : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetProgramRegistry();
        ClearPolicies();
        automationtest::ClearAutomation();
        automationtest::WriteAutomation(RegValue::AutomationHotkeys, "turbo=1,3,84\n");  // Ctrl+Alt+T
        SetPolicy(HKEY_LOCAL_MACHINE, policy::PolicyName::ForcedMode, "max");
        program_ = std::make_unique<Program>("");
        ASSERT_TRUE(program_->Started());
        ASSERT_TRUE(pipetest::WaitForPipe(kelp::control::kPipeName, 10000));
    }
    void TearDown() override
    {
        program_.reset();
        ClearPolicies();
        automationtest::ClearAutomation();
    }

    void PressTurboHotkey()
    {
        PostMessageA(program_->Window(), WM_HOTKEY,
                     automation::HotkeyBinder::kFirstId + int(automation::HotkeyAction::Turbo),
                     MAKELPARAM(MOD_CONTROL | MOD_ALT, 'T'));
    }

    unsigned TrayUpdates() { return tray_.Icon(program_->Window(), 1).value_or(traytest::ShownIcon{}).updates; }

    // The board stays in Max Power Saving, and the balloon says why.
    void ExpectRefusedVisibly(unsigned updatesBefore, const char* how)
    {
        Sleep(kRefusalSettleMs);
        EXPECT_EQ(BoardItem(kGearLevelItem), kMaxSaving) << how;
        EXPECT_TRUE(tray_.WaitFor(
            program_->Window(), 1,
            [&](const traytest::ShownIcon& icon) {
                return icon.updates > updatesBefore && icon.balloon.find(kManagedHint) != std::string::npos;
            },
            5000))
            << how << ": no balloon; it shows \"" << tray_.Icon(program_->Window(), 1).value_or(traytest::ShownIcon{}).balloon
            << "\"";
    }

    traytest::FakeNotificationArea tray_;
    std::unique_ptr<Program> program_;
};

} // namespace

TEST_F(PolicyProgram, ForcedMaxSavingHoldsAgainstEveryRequestUntilThePolicyGoes)
{
    EXPECT_TRUE(WaitForLevel(kMaxSaving)) << "the forced mode is applied at start";
    ASSERT_TRUE(Eventually([&] { return IsWindowVisible(program_->Window()) != 0; }, 10000));

    accclient::Apartment apartment;
    const Accessible window = accclient::FromWindow(program_->Window());
    ASSERT_TRUE(window);
    const Accessible turbo = accclient::Find(window, ROLE_SYSTEM_RADIOBUTTON, L"Turbo Mode");
    const Accessible maxSaving = accclient::Find(window, ROLE_SYSTEM_RADIOBUTTON, L"Max. Power Saving Mode");
    ASSERT_TRUE(turbo);
    ASSERT_TRUE(maxSaving);
    EXPECT_TRUE(Unavailable(turbo)) << "a screen reader hears that Turbo is unavailable";
    EXPECT_FALSE(Unavailable(maxSaving)) << "the forced mode itself is not";

    unsigned before = TrayUpdates();
    EXPECT_EQ(turbo.DoDefaultAction(), S_OK);
    ExpectRefusedVisibly(before, "the default action");

    const HWND turboWindow = WindowOf(program_->Window(), turbo);
    ASSERT_NE(turboWindow, nullptr);
    before = TrayUpdates();
    PostMessageA(turboWindow, WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
    PostMessageA(turboWindow, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    PostMessageA(turboWindow, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    ExpectRefusedVisibly(before, "a click");

    before = TrayUpdates();
    PostMessageA(program_->Window(), kMsgTurbo, kMessageTag, 0);
    ExpectRefusedVisibly(before, "another program's message");

    before = TrayUpdates();
    const ctltest::CtlResult set = ctltest::RunCtl({"set", "turbo"});
    EXPECT_EQ(set.exitCode, 4) << set.err;
    EXPECT_NE(set.err.find("ForcedMode"), std::string::npos) << "the refusal names the policy: " << set.err;
    ExpectRefusedVisibly(before, "pellixctl");
    before = TrayUpdates();
    PressTurboHotkey();
    ExpectRefusedVisibly(before, "a hotkey");

    const ctltest::CtlResult status = ctltest::RunCtl({"status"});
    EXPECT_NE(status.out.find("ForcedMode=max"), std::string::npos) << status.out;

    // A new forced mode takes effect at the refresh, without a restart.
    SetPolicy(HKEY_LOCAL_MACHINE, policy::PolicyName::ForcedMode, "medium");
    AnnouncePolicyRefresh();
    EXPECT_TRUE(WaitForLevel(kMediumSaving)) << "the changed policy is applied at its refresh";

    ClearPolicies();
    AnnouncePolicyRefresh();
    EXPECT_TRUE(Eventually([&] { return !Unavailable(turbo); }, 5000)) << "Turbo is no longer managed";
    const ctltest::CtlResult again = ctltest::RunCtl({"set", "turbo"});
    EXPECT_EQ(again.exitCode, 0) << again.err;
    EXPECT_EQ(BoardItem(kGearLevelItem), kTurbo);
    EXPECT_NE(ctltest::RunCtl({"status"}).out.find("Policies:"), std::string::npos);
}

TEST_F(PolicyProgram, AutomationSwitchedOffLeavesTheModeToTheUser)
{
    ASSERT_TRUE(WaitForLevel(kMaxSaving));
    ClearPolicies();
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, policy::kPolicyKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                              nullptr),
              ERROR_SUCCESS);
    const DWORD on = 1;
    RegSetValueExA(key, policy::PolicyName::DisableAutomation, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&on), 4);
    RegCloseKey(key);
    AnnouncePolicyRefresh();
    PressTurboHotkey();
    Sleep(kRefusalSettleMs);
    EXPECT_EQ(BoardItem(kGearLevelItem), kMaxSaving) << "the hotkey changed the mode";
    // Without the policy the same hotkey works again.
    ClearPolicies();
    AnnouncePolicyRefresh();
    PressTurboHotkey();
    EXPECT_TRUE(WaitForLevel(kTurbo)) << "the hotkey after the policy's removal";
}

TEST_F(PolicyProgram, AllowedModesRefuseTheOthersAndARefreshAppliesANewForcedMode)
{
    ASSERT_TRUE(WaitForLevel(kMaxSaving));
    SetPolicy(HKEY_LOCAL_MACHINE, policy::PolicyName::ForcedMode, "");  // garbage: as if absent
    SetPolicy(HKEY_CURRENT_USER, policy::PolicyName::AllowedModes, "max,medium");
    AnnouncePolicyRefresh();
    const ctltest::CtlResult turbo = ctltest::RunCtl({"set", "turbo"});
    EXPECT_EQ(turbo.exitCode, 4) << turbo.err;
    EXPECT_NE(turbo.err.find("AllowedModes"), std::string::npos) << turbo.err;
    const ctltest::CtlResult medium = ctltest::RunCtl({"set", "medium"});
    EXPECT_EQ(medium.exitCode, 0) << medium.err;
    EXPECT_EQ(BoardItem(kGearLevelItem), kMediumSaving);
}

namespace {

void SetPolicyDword(const char* name, DWORD value)
{
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, policy::kPolicyKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                              nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
    RegCloseKey(key);
}

} // namespace

// The start at log-on follows a policy that forces it on or off over the
// user's own choice.
TEST(PolicyLogOnStart, TheForcedRunAtLogOnDecidesOverTheUsersChoice)
{
    ResetProgramRegistry();
    ClearPolicies();
    struct Forget {
        ~Forget() { ClearPolicies(); }
    } forget;
    // The user switched the start at log-on off (stored inverted) ...
    WriteDword(kAdvanceKey, "RunAtSystemStartup", 1);
    {
        SetPolicyDword(policy::PolicyName::RunAtLogOn, 1);  // ... the organisation wants it on
        PellixProcess started("-b");
        EXPECT_NE(started.WaitForWindow("TMainForm", kStartTimeoutMs), nullptr) << "started although the user said no";
        started.Kill();
    }
    // The user wants it, the organisation does not: the log-on start ends silently.
    WriteDword(kAdvanceKey, "RunAtSystemStartup", 0);
    SetPolicyDword(policy::PolicyName::RunAtLogOn, 0);
    PellixProcess refused("-b");
    EXPECT_TRUE(refused.WaitForExit(kStartTimeoutMs));
    EXPECT_TRUE(refused.Windows().empty());
}
