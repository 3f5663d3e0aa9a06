// The engine over a scripted program: a rule for this very test program
// asks for its mode unasked and counts the change as the rule's, a refusal
// costs one balloon and the next mode holds, the hold is told, hotkeys ask
// the dial's way and count as hotkeys, and settings change only when stored.

#include "automation/AutomationEngine.h"
#include "automation/AutomationStore.h"
#include "engine/RegistryLayout.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace automation;

namespace {

class ScriptedHost final : public AutomationHost {
public:
    int level = GearLevel::HighPerformance;
    bool settled = true;
    std::vector<int> refused;  // levels ApplyUnasked refuses
    std::vector<int> unasked, dial;
    std::vector<std::string> balloons, holds;

    int CurrentLevel() override { return level; }
    bool IsSettled() override { return settled; }
    bool ApplyUnasked(int wanted, std::string& refusal) override
    {
        if (std::find(refused.begin(), refused.end(), wanted) != refused.end()) {
            refusal = "refused";
            return false;
        }
        unasked.push_back(wanted);
        level = wanted;
        return true;
    }
    bool SelectAsDial(int wanted, std::string&) override
    {
        dial.push_back(wanted);
        level = wanted;
        return true;
    }
    void Balloon(const std::string& text) override { balloons.push_back(text); }
    void ShowHold(const std::string& text) override { holds.push_back(text); }
};

std::string OwnFileName()
{
    char path[MAX_PATH]{};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    const std::string full = path;
    return full.substr(full.find_last_of("\\/") + 1);
}

uint64_t Count(ModeChangeCause cause)
{
    return ModeChangeCounts()[size_t(cause)];
}

class AutomationEngineTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, RegKey::Automation);
        window_ = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
        ASSERT_NE(window_, nullptr);
    }
    void TearDown() override
    {
        DestroyWindow(window_);
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, RegKey::Automation);
    }
    HWND window_ = nullptr;
};

TEST_F(AutomationEngineTest, ARunningRuleAsksUnaskedCountsAndTellsWhyTheModeHolds)
{
    ScriptedHost host;
    AutomationEngine engine(window_, host, [] { return MinuteOfWeek(1, 12, 0); });
    engine.Start();
    EXPECT_TRUE(host.unasked.empty());

    AutomationSettings settings;
    ProgramRule turbo;
    turbo.program = OwnFileName();
    turbo.level = GearLevel::Turbo;
    ProgramRule auto_;
    auto_.program = "C:\\nowhere\\" + OwnFileName();  // the path does not match
    auto_.level = GearLevel::Auto;
    settings.rules = {turbo, auto_};
    const uint64_t rulesBefore = Count(ModeChangeCause::Rule);
    ASSERT_TRUE(engine.Commit(settings));
    EXPECT_EQ(AutomationStore::Load().rules.size(), 2u) << "stored";
    EXPECT_EQ(host.unasked, (std::vector<int>{GearLevel::Turbo}));
    EXPECT_EQ(Count(ModeChangeCause::Rule), rulesBefore + 1);
    EXPECT_EQ(engine.Holder().cause, HoldCause::Rule);
    ASSERT_FALSE(host.holds.empty());
    EXPECT_NE(host.holds.back().find(OwnFileName()), std::string::npos) << host.holds.back();

    engine.Tick();
    engine.Tick();
    EXPECT_EQ(host.unasked.size(), 1u) << "asked once";

    // The user picks Medium: the rule gives way, nothing is asked, the hold text goes.
    host.level = GearLevel::MediumSaving;
    engine.Tick();
    EXPECT_EQ(host.unasked.size(), 1u);
    EXPECT_EQ(engine.Holder().cause, HoldCause::User);
    EXPECT_EQ(host.holds.back(), "");
}

TEST_F(AutomationEngineTest, ARefusedModeCostsOneBalloonAndTheScheduleHolds)
{
    ScriptedHost host;
    host.refused = {GearLevel::Turbo};
    AutomationEngine engine(window_, host, [] { return MinuteOfWeek(1, 23, 30); });
    AutomationSettings settings;
    ProgramRule rule;
    rule.program = OwnFileName();
    rule.level = GearLevel::Turbo;
    settings.rules = {rule};
    ScheduleWindow night;
    night.days = kAllDays;
    night.start = 22 * 60;
    night.end = 7 * 60;
    night.level = GearLevel::MaxSaving;
    settings.windows = {night};
    const uint64_t scheduleBefore = Count(ModeChangeCause::Schedule);
    ASSERT_TRUE(engine.Commit(settings));
    for (int i = 0; i < 3; ++i)
        engine.Tick();
    EXPECT_EQ(host.balloons.size(), 1u);
    EXPECT_EQ(host.unasked, (std::vector<int>{GearLevel::MaxSaving}));
    EXPECT_EQ(Count(ModeChangeCause::Schedule), scheduleBefore + 1);
    EXPECT_EQ(engine.Holder().cause, HoldCause::Schedule);
}

TEST_F(AutomationEngineTest, HotkeysGoTheDialsWayAndOnlyWhenRegistered)
{
    ScriptedHost host;
    AutomationEngine engine(window_, host);
    AutomationSettings settings;
    settings.HotkeyFor(HotkeyAction::MaxSaving) = {true, kModControl | kModAlt | kModShift, 0x87};  // F24
    settings.HotkeyFor(HotkeyAction::NextMode) = {true, kModControl | kModAlt | kModShift, 0x86};   // F23
    ASSERT_TRUE(engine.Commit(settings));
    ASSERT_EQ(engine.StateOf(HotkeyAction::MaxSaving), HotkeyState::Registered);
    EXPECT_EQ(engine.StateOf(HotkeyAction::Turbo), HotkeyState::Off);
    // What the engine holds probes as free; an invalid combination as invalid.
    EXPECT_EQ(engine.Probe(settings.HotkeyFor(HotkeyAction::MaxSaving)), HotkeyState::Registered);
    EXPECT_EQ(engine.Probe({true, 0, 'A'}), HotkeyState::Invalid);

    const uint64_t before = Count(ModeChangeCause::Hotkey);
    EXPECT_TRUE(engine.OnHotkey(HotkeyBinder::kFirstId + int(HotkeyAction::MaxSaving)));
    EXPECT_TRUE(engine.OnHotkey(HotkeyBinder::kFirstId + int(HotkeyAction::NextMode)));
    EXPECT_TRUE(engine.OnHotkey(HotkeyBinder::kFirstId + int(HotkeyAction::Turbo)));  // not set
    EXPECT_FALSE(engine.OnHotkey(HotkeyBinder::kFirstId + int(kHotkeyCount)));       // not ours
    EXPECT_EQ(host.dial, (std::vector<int>{GearLevel::MaxSaving, GearLevel::Auto}));
    EXPECT_EQ(Count(ModeChangeCause::Hotkey), before + 2);

    engine.SuspendHotkeys(true);
    EXPECT_EQ(engine.StateOf(HotkeyAction::MaxSaving), HotkeyState::Off);
    engine.OnHotkey(HotkeyBinder::kFirstId + int(HotkeyAction::MaxSaving));
    EXPECT_EQ(host.dial.size(), 2u);
    engine.SuspendHotkeys(false);
    EXPECT_EQ(engine.StateOf(HotkeyAction::MaxSaving), HotkeyState::Registered);
}

} // namespace
