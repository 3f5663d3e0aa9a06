// pellixctl's rule commands and status against the running program: the
// rules it adds are checked, stored and applied at once, bad programs and
// modes are usage errors, and the status tells who holds the mode and which
// hotkey another program holds.

#include "engine/RegistryLayout.h"
#include "tests/automation/AutomationRig.h"
#include "tests/ctl/CtlRun.h"
#include "tests/mainwin/ProgramRig.h"
#include "tests/pipes/PipeTestSupport.h"
#include "ipc/ControlProtocol.h"
#include "kelp/System/WinRegistry.h"

#include <gtest/gtest.h>

using namespace programtest;
using namespace automationtest;
using ctltest::RunCtl;

namespace {

constexpr DWORD kTickMs = 5000 + 4000;

std::string StoredRules()
{
    kelp::RegistryKeyReader key;
    std::string text;
    if (key.Open(HKEY_LOCAL_MACHINE, RegKey::Automation))
        key.ReadString(RegValue::AutomationRules, text);
    return text;
}

class CtlAutomation : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetProgramRegistry();
        ClearAutomation();
    }
    void TearDown() override
    {
        program_.reset();
        ClearAutomation();
    }
    void Start()
    {
        program_ = std::make_unique<Program>("");
        ASSERT_TRUE(program_->Started());
        ASSERT_TRUE(pipetest::WaitForPipe(kelp::control::kPipeName, 10000));
        ASSERT_TRUE(WaitForLevel(0));
    }
    std::unique_ptr<Program> program_;
};

TEST_F(CtlAutomation, RulesAreCheckedStoredAndAppliedAtOnce)
{
    Start();
    ctltest::CtlResult list = RunCtl({"rule", "list"});
    EXPECT_EQ(list.exitCode, 0) << list.err;
    EXPECT_EQ(list.out, "No program rules.\n");

    ctltest::CtlResult add = RunCtl({"rule", "add", "render.exe", "turbo"});
    ASSERT_EQ(add.exitCode, 0) << add.err;
    EXPECT_EQ(StoredRules(), "16384|render.exe\n");
    EXPECT_EQ(RunCtl({"rule", "add", "C:\\Tools\\bake.exe", "AUTO"}).exitCode, 0);
    list = RunCtl({"rule", "list"});
    EXPECT_EQ(list.out, "render.exe  turbo\nC:\\Tools\\bake.exe  auto\n");

    // Usage errors: a bad program or mode; refusals: a second rule, none to remove.
    EXPECT_EQ(RunCtl({"rule", "add", "ren|der.exe", "turbo"}).exitCode, 2);
    EXPECT_EQ(RunCtl({"rule", "add", "Tools\\render.exe", "turbo"}).exitCode, 2);
    EXPECT_EQ(RunCtl({"rule", "add", "other.exe", "warp"}).exitCode, 2);
    EXPECT_EQ(RunCtl({"rule", "add", "other.exe"}).exitCode, 2);
    EXPECT_EQ(RunCtl({"rule", "frobnicate"}).exitCode, 2);
    ctltest::CtlResult twice = RunCtl({"rule", "add", "RENDER.EXE", "max"});
    EXPECT_EQ(twice.exitCode, 4);
    EXPECT_NE(twice.err.find("RENDER.EXE has a rule already"), std::string::npos) << twice.err;
    EXPECT_EQ(RunCtl({"rule", "remove", "nothing.exe"}).exitCode, 4);
    EXPECT_EQ(StoredRules(), "16384|render.exe\n32768|C:\\Tools\\bake.exe\n");

    // The rule works at once, and the status says so.
    Helper render("render.exe");
    ASSERT_TRUE(WaitForLevel(0x4000, kTickMs));
    ctltest::CtlResult status = RunCtl({"status"});
    EXPECT_NE(status.out.find("Mode held by:"), std::string::npos) << status.out;
    EXPECT_NE(status.out.find("the rule for render.exe"), std::string::npos) << status.out;

    EXPECT_EQ(RunCtl({"rule", "remove", "render.exe"}).exitCode, 0);
    EXPECT_TRUE(WaitForLevel(0, kTickMs)) << "the mode from before once the rule is gone";
    EXPECT_EQ(StoredRules(), "32768|C:\\Tools\\bake.exe\n");
}

TEST_F(CtlAutomation, AHotkeyAnotherProgramHoldsIsToldAsTakenAndTheOthersWork)
{
    // Ctrl+Alt+M held by the helper before the program starts.
    HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, "PellixAutomationHelperReady");
    ASSERT_NE(ready, nullptr);
    Helper holder("hotkey_holder.exe", "hotkey 3 77");
    ASSERT_EQ(WaitForSingleObject(ready, 10000), WAIT_OBJECT_0) << "the helper could not hold the combination";
    CloseHandle(ready);

    WriteAutomation(RegValue::AutomationHotkeys, "medium=1,3,77\nturbo=1,3,84\n");
    Start();
    ctltest::CtlResult status = RunCtl({"status"});
    EXPECT_EQ(status.exitCode, 0) << status.err;
    EXPECT_NE(status.out.find("turbo works, medium taken by another program"), std::string::npos)
        << status.out;
}

} // namespace
