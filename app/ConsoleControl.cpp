#include "app/ConsoleControl.h"

#include "engine/ModeChangeCause.h"
#include "engine/ModeModel.h"

#include <algorithm>

using namespace kelp::control;

namespace {

constexpr int kCalibrationCompleted = 1;

// Nobody is there to answer the dial's questions: the tweak confirmation
// comes with the request or not at all, and no calibration runs unasked.
class ConsoleQuestions final : public geardial::AutoQuestions {
public:
    explicit ConsoleQuestions(bool tweakConfirmed) : tweakConfirmed_(tweakConfirmed) {}
    void Unsupported() override {}
    bool ConfirmTweak() override { return tweakConfirmed_; }
    bool Calibrate(Calibration) override { return false; }

private:
    bool tweakConfirmed_;
};

static_assert(kMaxRuleProgram == automation::kMaxProgramLength, "a stored rule fits the pipe");
static_assert(kLastRuleProblem == uint8_t(automation::RuleProblem::TooMany), "the verdicts as numbers");
static_assert(kLastHotkeyState == uint8_t(automation::HotkeyState::Invalid), "the hotkey states as numbers");
static_assert(kLastHoldCause == uint8_t(automation::HoldCause::Schedule), "the holders as numbers");
static_assert(kHotkeys == automation::kHotkeyCount, "every hotkey in the state");

Reply LevelReply(Command answers, Outcome outcome, int level)
{
    Reply reply = Answer(answers, outcome);
    reply.level = uint32_t(level);
    return reply;
}

} // namespace

Reply ConsoleControl::Handle(const Job& job, std::function<void()>& then)
{
    const Request& request = job.request;
    if (job.phase == Job::Phase::Confirm)
        return Confirm(request);
    switch (request.command) {
    case Command::Status:
        return Status();
    case Command::SetMode:
        return SetMode(request, (request.flags & kConfirmTweak) != 0);
    case Command::RestoreMode:
        if (host_.CurrentLevel() != int(request.expected))
            return Answer(request.command, Outcome::Refused, Reason::NotCurrent);
        // Auto was the user's own choice before: its tweak question was answered then.
        return SetMode(request, true);
    case Command::StartCalibration:
        return StartCalibration(then);
    case Command::CalibrationProgress:
        return CalibrationReply(request.command);
    case Command::CancelCalibration:
        if (calibration_ == CalibrationState::Running)
            host_.CancelCalibration();
        return CalibrationReply(request.command);
    case Command::HistoryDay:
        return HistoryDay(request.index);
    case Command::RuleAt:
        return RuleAt(request.index);
    case Command::AddRule:
        return AddRule(request);
    case Command::RemoveRule:
        return RemoveRule(request);
    case Command::AutomationStatus:
        return AutomationStatus();
    }
    return Answer(request.command, Outcome::BadRequest);
}

Reply ConsoleControl::Status()
{
    Reply reply = Answer(Command::Status, Outcome::Done);
    reply.status = CurrentStatus();
    return reply;
}

kelp::control::Status ConsoleControl::CurrentStatus()
{
    kelp::control::Status status;
    status.level = uint32_t(host_.CurrentLevel());
    status.autoGear = uint32_t(host_.RunningAutoGear());
    const std::pair<bool, uint32_t> flags[] = {
        {host_.IsAutoAllowedByBios(), kAutoSupported},
        {host_.IsCalibrationNeeded() || !host_.HasValidThresholds(), kCalibrationNeeded},
        {host_.IsTweakDisabled(), kTweakDisabled},
        {host_.IsOverclocked(), kOverclocked},
        {host_.IsConflictingUtilityRunning(), kConflictingUtility},
        {host_.IsDialogShown() || calibration_ == CalibrationState::Running, kBusy},
    };
    for (const auto& [set, flag] : flags)
        if (set)
            status.flags |= flag;
    host_.FillReadings(status);
    return status;
}

Reason ConsoleControl::Blocker()
{
    if (host_.IsOverclocked())
        return Reason::Overclocked;
    if (host_.IsConflictingUtilityRunning())
        return Reason::ConflictingUtility;
    if (host_.IsDialogShown() || calibration_ == CalibrationState::Running)
        return Reason::Busy;
    return Reason::None;
}

Reason ConsoleControl::AutoBlocker(bool tweakConfirmed)
{
    ConsoleQuestions questions(tweakConfirmed);
    switch (geardial::CheckAuto(host_, questions)) {
    case geardial::AutoObstacle::Unsupported:
        return Reason::AutoUnsupported;
    case geardial::AutoObstacle::TweakUnconfirmed:
        return Reason::TweakUnconfirmed;
    case geardial::AutoObstacle::CalibrationNeeded:
        return Reason::CalibrationNeeded;
    case geardial::AutoObstacle::None:
        break;
    }
    return Reason::None;
}

Reason ConsoleControl::Refusal(int level, bool tweakConfirmed)
{
    if (!IsKnownLevel(level))
        return Reason::UnknownLevel;
    Reason reason = Blocker();
    if (reason == Reason::None && level == GearLevel::Auto)
        reason = AutoBlocker(tweakConfirmed);
    if (reason == Reason::None && !host_.MayChoose(level))
        reason = Reason::Managed;
    return reason;
}

Reply ConsoleControl::SetMode(const Request& request, bool tweakConfirmed)
{
    const int level = int(request.level);
    if (const Reason reason = Refusal(level, tweakConfirmed); reason != Reason::None)
        return Answer(request.command, Outcome::Refused, reason);
    host_.StopStartupRestore();
    host_.SetMode(level);
    CountModeChange(ModeChangeCause::CommandLine);
    return LevelReply(request.command, Outcome::Done, level);
}

Reply ConsoleControl::Confirm(const Request& request)
{
    host_.RefreshModeDisplay();
    const int level = host_.CurrentLevel();
    const bool applied = host_.IsModeSettled() && level == int(request.level);
    return LevelReply(request.command, applied ? Outcome::Done : Outcome::Failed, level);
}

Reply ConsoleControl::StartCalibration(std::function<void()>& then)
{
    if (const Reason reason = Blocker(); reason != Reason::None)
        return Answer(Command::StartCalibration, Outcome::Refused, reason);
    if (host_.IsCalibrationManaged())
        return Answer(Command::StartCalibration, Outcome::Refused, Reason::Managed);
    calibration_ = CalibrationState::Running;
    then = [this] {
        const int result = host_.RunCalibration();
        calibration_ = result == kCalibrationCompleted ? CalibrationState::Completed : CalibrationState::Cancelled;
    };
    return CalibrationReply(Command::StartCalibration);
}

Reply ConsoleControl::CalibrationReply(Command answers)
{
    Reply reply = Answer(answers, Outcome::Done);
    reply.progress.state = calibration_;
    if (calibration_ == CalibrationState::Running) {
        host_.CalibrationProgress(reply.progress.step, reply.progress.steps);
        // The form counts one tick past the last step before it closes.
        if (reply.progress.step > reply.progress.steps)
            reply.progress.step = reply.progress.steps;
    }
    return reply;
}

Reply ConsoleControl::HistoryDay(uint32_t index)
{
    const history::SavingsHistory& history = host_.History();
    if (index >= history.Days().size())
        return Answer(Command::HistoryDay, Outcome::Refused, Reason::NoSuchDay);
    Reply reply = Answer(Command::HistoryDay, Outcome::Done);
    reply.generation = history.Generation();
    reply.record = history.Days()[index];
    return reply;
}

// The rule commands change the stored settings of every user of the
// machine; the pipe admits the local users only, who may also change them
// in the settings page, and each change is checked as the page checks it.
Reply ConsoleControl::RuleAt(uint32_t index)
{
    automation::AutomationService* service = host_.Automation();
    if (!service)
        return Answer(Command::RuleAt, Outcome::Refused, Reason::Busy);
    const std::vector<automation::ProgramRule>& rules = service->Settings().rules;
    if (index >= rules.size())
        return Answer(Command::RuleAt, Outcome::Refused, Reason::NoSuchRule);
    Reply reply = Answer(Command::RuleAt, Outcome::Done);
    const automation::ProgramRule& rule = rules[index];
    reply.rule = {uint32_t(rules.size()), uint32_t(rule.level), uint8_t(rule.problem), rule.program};
    return reply;
}

Reply ConsoleControl::AddRule(const Request& request)
{
    automation::AutomationService* service = host_.Automation();
    if (!service)
        return Answer(Command::AddRule, Outcome::Refused, Reason::Busy);
    if (automation::CheckProgram(request.program) != automation::RuleProblem::None)
        return Answer(Command::AddRule, Outcome::Refused, Reason::BadProgram);
    if (!automation::IsModeLevel(int(request.level)))
        return Answer(Command::AddRule, Outcome::Refused, Reason::UnknownLevel);
    automation::AutomationSettings settings = service->Settings();
    for (const automation::ProgramRule& rule : settings.rules)
        if (automation::SameProgram(rule.program, request.program))
            return Answer(Command::AddRule, Outcome::Refused, Reason::DuplicateRule);
    if (settings.rules.size() >= automation::kMaxRules)
        return Answer(Command::AddRule, Outcome::Refused, Reason::TooManyRules);
    automation::ProgramRule rule;
    rule.program = request.program;
    rule.level = int(request.level);
    settings.rules.push_back(rule);
    if (!service->Commit(std::move(settings)))
        return Answer(Command::AddRule, Outcome::Failed, Reason::NotStored);
    return Answer(Command::AddRule, Outcome::Done);
}

Reply ConsoleControl::RemoveRule(const Request& request)
{
    automation::AutomationService* service = host_.Automation();
    if (!service)
        return Answer(Command::RemoveRule, Outcome::Refused, Reason::Busy);
    automation::AutomationSettings settings = service->Settings();
    const auto rule = std::find_if(settings.rules.begin(), settings.rules.end(), [&request](const auto& rule) {
        return automation::SameProgram(rule.program, request.program);
    });
    if (rule == settings.rules.end())
        return Answer(Command::RemoveRule, Outcome::Refused, Reason::NoSuchRule);
    settings.rules.erase(rule);
    if (!service->Commit(std::move(settings)))
        return Answer(Command::RemoveRule, Outcome::Failed, Reason::NotStored);
    return Answer(Command::RemoveRule, Outcome::Done);
}

Reply ConsoleControl::AutomationStatus()
{
    automation::AutomationService* service = host_.Automation();
    if (!service)
        return Answer(Command::AutomationStatus, Outcome::Refused, Reason::Busy);
    Reply reply = Answer(Command::AutomationStatus, Outcome::Done);
    const automation::AutomationService::Hold hold = service->CurrentHold();
    reply.automation.holder = uint8_t(hold.cause);
    reply.automation.holderName = hold.program;
    for (size_t i = 0; i < automation::kHotkeyCount; ++i)
        reply.automation.hotkeys[i] = uint8_t(service->StateOf(automation::HotkeyAction(i)));
    return reply;
}
