// The control requests on the main thread's side: the refusals the window
// and the dial apply, the answer to the dial's tweak question, the
// put-back that yields to the user's own choice, and the judgement of a
// change once it has ended.

#include "app/ConsoleControl.h"
#include "engine/ModeChangeCause.h"
#include "engine/ModeModel.h"
#include "tests/ctl/FakeControlHost.h"

#include <gtest/gtest.h>

using namespace kelp::control;

namespace {

using ctltest::FakeHost;

struct Rig {
    FakeHost host;
    ConsoleControl control{host};
    std::function<void()> then;

    Reply Ask(Command command, int level = 0, uint32_t extra = 0)
    {
        Request request;
        request.command = command;
        request.level = uint32_t(level);
        request.flags = command == Command::SetMode ? extra : 0;
        request.expected = command == Command::RestoreMode ? extra : 0;
        return control.Handle({Job::Phase::Ask, request}, then);
    }
    Reply Confirm(int level)
    {
        Request request;
        request.command = Command::SetMode;
        request.level = uint32_t(level);
        return control.Handle({Job::Phase::Confirm, request}, then);
    }
};

} // namespace

TEST(ConsoleControl, RefusesWhereTheWindowAndTheDialWould)
{
    const std::pair<void (*)(FakeHost&), Reason> blockers[] = {
        {[](FakeHost& h) { h.overclocked = true; }, Reason::Overclocked},
        {[](FakeHost& h) { h.conflicting = true; }, Reason::ConflictingUtility},
        {[](FakeHost& h) { h.dialog = true; }, Reason::Busy},
    };
    for (const auto& [block, reason] : blockers) {
        Rig rig;
        block(rig.host);
        const Reply reply = rig.Ask(Command::SetMode, GearLevel::Turbo);
        EXPECT_EQ(reply.outcome, Outcome::Refused);
        EXPECT_EQ(reply.reason, reason);
        EXPECT_EQ(rig.host.applied, -1);
        EXPECT_EQ(rig.Ask(Command::StartCalibration).reason, reason);
        EXPECT_TRUE(rig.Ask(Command::Status).status.flags != 0);
    }

    const std::pair<void (*)(FakeHost&), Reason> autoChecks[] = {
        {[](FakeHost& h) { h.autoByBios = false; }, Reason::AutoUnsupported},
        {[](FakeHost& h) { h.tweakDisabled = true; }, Reason::TweakUnconfirmed},
        {[](FakeHost& h) { h.calibrationNeeded = true; }, Reason::CalibrationNeeded},
        {[](FakeHost& h) { h.thresholds = false; }, Reason::CalibrationNeeded},
    };
    for (const auto& [block, reason] : autoChecks) {
        Rig rig;
        block(rig.host);
        EXPECT_EQ(rig.Ask(Command::SetMode, GearLevel::Auto).reason, reason);
        EXPECT_EQ(rig.host.applied, -1);
        // The fixed modes need none of it.
        EXPECT_EQ(rig.Ask(Command::SetMode, GearLevel::MaxSaving).outcome, Outcome::Done);
    }
    Rig rig;
    EXPECT_EQ(rig.Ask(Command::SetMode, 3).reason, Reason::UnknownLevel);
}

TEST(ConsoleControl, TheTweakAnswerComesWithTheRequest)
{
    Rig rig;
    rig.host.tweakDisabled = true;
    rig.host.calibrationNeeded = true;
    // Answered: the next check, the calibration, still stops it.
    EXPECT_EQ(rig.Ask(Command::SetMode, GearLevel::Auto, kConfirmTweak).reason, Reason::CalibrationNeeded);
    rig.host.calibrationNeeded = false;
    const Reply reply = rig.Ask(Command::SetMode, GearLevel::Auto, kConfirmTweak);
    EXPECT_EQ(reply.outcome, Outcome::Done);
    EXPECT_EQ(rig.host.applied, GearLevel::Auto);
    EXPECT_TRUE(rig.host.restoreStopped);
}

TEST(ConsoleControl, PutsBackOnlyWhatTheUserLeftAlone)
{
    Rig rig;
    rig.host.level = GearLevel::Turbo;
    EXPECT_EQ(rig.Ask(Command::RestoreMode, GearLevel::HighPerformance, GearLevel::MaxSaving).reason,
              Reason::NotCurrent);
    EXPECT_EQ(rig.host.applied, -1);
    EXPECT_EQ(rig.Ask(Command::RestoreMode, GearLevel::HighPerformance, GearLevel::Turbo).outcome, Outcome::Done);
    EXPECT_EQ(rig.host.applied, GearLevel::HighPerformance);
}

TEST(ConsoleControl, ChangesLetThroughAreCountedAsTheCommandLines)
{
    const auto changes = [] { return ModeChangeCounts()[size_t(ModeChangeCause::CommandLine)]; };
    const auto others = [] {
        uint64_t sum = 0;
        for (size_t cause = 0; cause < kModeChangeCauseCount; ++cause)
            if (cause != size_t(ModeChangeCause::CommandLine))
                sum += ModeChangeCounts()[cause];
        return sum;
    };
    const uint64_t before = changes(), otherBefore = others();
    Rig rig;
    rig.host.level = GearLevel::Turbo;
    EXPECT_EQ(rig.Ask(Command::SetMode, GearLevel::MaxSaving).outcome, Outcome::Done);
    EXPECT_EQ(rig.Ask(Command::RestoreMode, GearLevel::HighPerformance, GearLevel::Turbo).outcome, Outcome::Done);
    EXPECT_EQ(changes(), before + 2);
    // Refused or not a change: not counted.
    EXPECT_EQ(rig.Ask(Command::RestoreMode, GearLevel::HighPerformance, GearLevel::MaxSaving).reason,
              Reason::NotCurrent);
    rig.host.dialog = true;
    EXPECT_EQ(rig.Ask(Command::SetMode, GearLevel::Turbo).reason, Reason::Busy);
    rig.Ask(Command::Status);
    rig.Confirm(GearLevel::Turbo);
    EXPECT_EQ(changes(), before + 2);
    EXPECT_EQ(others(), otherBefore);
}

TEST(ConsoleControl, AChangeIsJudgedOnceItHasEnded)
{
    Rig rig;
    rig.host.level = GearLevel::Turbo;
    Reply reply = rig.Confirm(GearLevel::Turbo);
    EXPECT_EQ(reply.outcome, Outcome::Done);
    EXPECT_EQ(rig.host.refreshes, 1) << "tray and dial show the mode";
    rig.host.settled = false;
    EXPECT_EQ(rig.Confirm(GearLevel::Turbo).outcome, Outcome::Failed);
    rig.host.settled = true;
    reply = rig.Confirm(GearLevel::MaxSaving);
    EXPECT_EQ(reply.outcome, Outcome::Failed);
    EXPECT_EQ(reply.level, uint32_t(GearLevel::Turbo));
}

TEST(ConsoleControl, CalibrationRunsAfterTheReplyAndReportsItsEnd)
{
    Rig rig;
    Reply reply = rig.Ask(Command::StartCalibration);
    EXPECT_EQ(reply.progress.state, CalibrationState::Running);
    ASSERT_TRUE(rig.then) << "the modal run must not hold the reply back";
    EXPECT_EQ(rig.Ask(Command::SetMode, GearLevel::Turbo).reason, Reason::Busy);
    EXPECT_EQ(rig.Ask(Command::StartCalibration).reason, Reason::Busy);
    reply = rig.Ask(Command::CalibrationProgress);
    EXPECT_EQ(reply.progress.step, 300u) << "the closing tick is not a step";
    rig.Ask(Command::CancelCalibration);
    EXPECT_TRUE(rig.host.cancelled);

    rig.host.calibrationResult = 2;
    rig.then();
    EXPECT_EQ(rig.Ask(Command::CalibrationProgress).progress.state, CalibrationState::Cancelled);
    rig.host.calibrationResult = 1;
    rig.then = nullptr;
    rig.Ask(Command::StartCalibration);
    rig.then();
    EXPECT_EQ(rig.Ask(Command::CalibrationProgress).progress.state, CalibrationState::Completed);
}

namespace {

// The automation as the rule commands see it: settings taken on Commit
// unless the "registry" refuses.
class FakeAutomation final : public automation::AutomationService {
public:
    automation::AutomationSettings settings;
    bool storeWorks = true;
    int commits = 0;

    const automation::AutomationSettings& Settings() const override { return settings; }
    bool Commit(automation::AutomationSettings changed) override
    {
        ++commits;
        if (!storeWorks)
            return false;
        automation::Validate(changed);
        settings = std::move(changed);
        return true;
    }
    void Reload() override {}
    void SuspendHotkeys(bool) override {}
    automation::HotkeyState StateOf(automation::HotkeyAction action) const override
    {
        return action == automation::HotkeyAction::Auto ? automation::HotkeyState::Taken
                                                         : automation::HotkeyState::Off;
    }
    automation::HotkeyState Probe(const automation::Hotkey&) override { return automation::HotkeyState::Off; }
    Hold CurrentHold() const override { return {automation::HoldCause::Rule, "render.exe"}; }
};

class AutomationHost final : public FakeHost {
public:
    automation::AutomationService* Automation() override { return service; }
    automation::AutomationService* service = nullptr;
};

Reply AskRule(ConsoleControl& control, Command command, const std::string& program, int level = 0, uint32_t index = 0)
{
    Request request;
    request.command = command;
    request.program = program;
    request.level = uint32_t(level);
    request.index = index;
    std::function<void()> then;
    return control.Handle({Job::Phase::Ask, request}, then);
}

TEST(ConsoleControl, RuleChangesAreCheckedBeforeTheyAreStored)
{
    AutomationHost host;
    ConsoleControl control(host);
    EXPECT_EQ(AskRule(control, Command::AddRule, "render.exe", 0x4000).reason, Reason::Busy) << "not started yet";

    FakeAutomation service;
    host.service = &service;
    EXPECT_EQ(AskRule(control, Command::RuleAt, "", 0, 0).reason, Reason::NoSuchRule);
    EXPECT_EQ(AskRule(control, Command::AddRule, "render.exe", 0x4000).outcome, Outcome::Done);
    EXPECT_EQ(AskRule(control, Command::AddRule, "Render.EXE", 2).reason, Reason::DuplicateRule);
    EXPECT_EQ(AskRule(control, Command::AddRule, "a?.exe", 2).reason, Reason::BadProgram);
    EXPECT_EQ(AskRule(control, Command::AddRule, "b.exe", 7).reason, Reason::UnknownLevel);
    EXPECT_EQ(service.commits, 1) << "refusals store nothing";

    const Reply first = AskRule(control, Command::RuleAt, "", 0, 0);
    ASSERT_EQ(first.outcome, Outcome::Done);
    EXPECT_EQ(first.rule.count, 1u);
    EXPECT_EQ(first.rule.program, "render.exe");
    EXPECT_EQ(first.rule.level, 0x4000u);

    for (size_t i = 1; i < automation::kMaxRules; ++i)
        ASSERT_EQ(AskRule(control, Command::AddRule, "p" + std::to_string(i) + ".exe", 1).outcome, Outcome::Done);
    EXPECT_EQ(AskRule(control, Command::AddRule, "one-more.exe", 1).reason, Reason::TooManyRules);

    service.storeWorks = false;
    const Reply unstored = AskRule(control, Command::RemoveRule, "RENDER.exe");
    EXPECT_EQ(unstored.outcome, Outcome::Failed);
    EXPECT_EQ(unstored.reason, Reason::NotStored);
    EXPECT_EQ(service.settings.rules.size(), automation::kMaxRules) << "the rules in force stay";
    service.storeWorks = true;
    EXPECT_EQ(AskRule(control, Command::RemoveRule, "RENDER.exe").outcome, Outcome::Done);
    EXPECT_EQ(AskRule(control, Command::RemoveRule, "render.exe").reason, Reason::NoSuchRule);

    const Reply state = AskRule(control, Command::AutomationStatus, "");
    ASSERT_EQ(state.outcome, Outcome::Done);
    EXPECT_EQ(state.automation.holder, uint8_t(automation::HoldCause::Rule));
    EXPECT_EQ(state.automation.holderName, "render.exe");
    EXPECT_EQ(state.automation.hotkeys[size_t(automation::HotkeyAction::Auto)],
              uint8_t(automation::HotkeyState::Taken));
}

} // namespace

TEST(ConsoleControl, ThePoliciesRefuseWithoutTouchingTheStartupRestore)
{
    Rig rig;
    rig.host.managedLevels = {GearLevel::Turbo, GearLevel::Auto};
    for (int level : {GearLevel::Turbo, GearLevel::Auto}) {
        const Reply reply = rig.Ask(Command::SetMode, level, kConfirmTweak);
        EXPECT_EQ(reply.outcome, Outcome::Refused) << level;
        EXPECT_EQ(reply.reason, Reason::Managed) << level;
    }
    // A put-back of the mode from before is a request like any other.
    rig.host.level = GearLevel::MaxSaving;
    EXPECT_EQ(rig.Ask(Command::RestoreMode, GearLevel::Turbo, GearLevel::MaxSaving).reason, Reason::Managed);
    EXPECT_EQ(rig.host.applied, -1);
    EXPECT_FALSE(rig.host.restoreStopped) << "a refused request leaves the delayed restore alone";
    // The machine's own refusals come first: they say more.
    rig.host.overclocked = true;
    EXPECT_EQ(rig.Ask(Command::SetMode, GearLevel::Turbo).reason, Reason::Overclocked);
    rig.host.overclocked = false;
    EXPECT_EQ(rig.Ask(Command::SetMode, GearLevel::MediumSaving).outcome, Outcome::Done);
    EXPECT_EQ(rig.host.applied, GearLevel::MediumSaving);

    rig.host.calibrationManaged = true;
    EXPECT_EQ(rig.Ask(Command::StartCalibration).reason, Reason::Managed);
    EXPECT_FALSE(rig.then) << "no calibration is scheduled";
}
