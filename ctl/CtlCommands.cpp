#include "ctl/CtlCommands.h"

#include "ctl/Console.h"
#include "ctl/ControlClient.h"
#include "ctl/CtlTexts.h"
#include "ctl/DailyHistory.h"
#include "ctl/DailyTable.h"
#include "ctl/ExitCodes.h"
#include "ctl/MachineOutput.h"
#include "ctl/ProgramRunner.h"
#include "engine/SavingsCsv.h"
#include "policy/PolicyReader.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <utility>
#include <vector>

namespace ctl {
namespace {

using namespace kelp::control;

constexpr const char* kVersionText = "pellixctl 1.0 (control protocol 1)\n";
// How often a calibration's progress is asked for.
constexpr DWORD kProgressPollMs = 250;

std::atomic<bool> interrupted{false};

BOOL WINAPI OnInterrupt(DWORD event)
{
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT)
        return FALSE;
    interrupted = true;
    return TRUE;
}

std::string Format(const char* format, double value)
{
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

// A call whose reply is not Answered: its message and exit code.
int ReportCallFailure(const CallResult& result, DWORD timeoutMs)
{
    switch (result.status) {
    case CallResult::Status::NotRunning:
        Err(Say(Text::NotRunning) + "\n");
        return kExitNotRunning;
    case CallResult::Status::TimedOut:
        Err(Say(Text::TimedOut, std::to_string(timeoutMs / 1000)) + "\n");
        return kExitTimedOut;
    case CallResult::Status::BadReply:
    case CallResult::Status::Answered:
        break;
    }
    Err(Say(Text::BadReply) + "\n");
    return kExitFailed;
}

// The policies in force as "Name=value, Name=value", or that there are none.
std::string PoliciesText()
{
    std::string text;
    for (const policy::PolicyInForce& entry : policy::PoliciesInForce(policy::ReadPolicies()))
        text += (text.empty() ? "" : ", ") + entry.name + "=" + entry.value;
    return text.empty() ? Say(Text::NoPolicies) : text;
}

// The message that explains a refusal.
Text RefusalText(Reason reason)
{
    switch (reason) {
    case Reason::Overclocked:
        return Text::Overclocked;
    case Reason::ConflictingUtility:
        return Text::ConflictingUtility;
    case Reason::AutoUnsupported:
        return Text::AutoUnsupported;
    case Reason::TweakUnconfirmed:
        return Text::TweakUnconfirmed;
    case Reason::CalibrationNeeded:
        return Text::CalibrationNeeded;
    case Reason::NotCurrent:
        return Text::NotCurrent;
    case Reason::UnknownLevel:
        return Text::UnknownMode;
    case Reason::BadProgram:
        return Text::BadRuleProgram;
    case Reason::DuplicateRule:
        return Text::DuplicateRule;
    case Reason::TooManyRules:
        return Text::TooManyRules;
    case Reason::NoSuchRule:
        return Text::NoSuchRule;
    case Reason::NotStored:
        return Text::NotStored;
    case Reason::Managed:
        return Text::Managed;
    case Reason::Busy:
    case Reason::NoSuchDay:
    case Reason::None:
        break;
    }
    return Text::Busy;
}

// The policy behind a refusal for being managed: pellixctl reads the same
// policy values the program obeys.
std::string ManagingPolicy(Command command, int level)
{
    if (command == Command::StartCalibration)
        return policy::PolicyName::DisableCalibration;
    const char* name = policy::RefusingPolicy(policy::ReadPolicies(), level);
    return name ? name : "";
}

int ReportRefusal(Command command, Reason reason, int level, const std::string& program = {})
{
    if (reason == Reason::UnknownLevel) {
        Err(Say(Text::UnknownMode, NameOfLevel(level)) + "\n");
        return kExitUsage;
    }
    if (reason == Reason::Managed) {
        Err(Say(Text::Managed, ManagingPolicy(command, level)) + "\n");
        return kExitRefused;
    }
    if (reason == Reason::BadProgram) {
        Err(Say(Text::BadRuleProgram, program) + "\n");
        return kExitUsage;
    }
    if (reason == Reason::DuplicateRule || reason == Reason::NoSuchRule || reason == Reason::TooManyRules) {
        Err(Say(RefusalText(reason), program) + "\n");
        return kExitRefused;
    }
    Err(Say(RefusalText(reason)) + "\n");
    return kExitRefused;
}

// Any reply that is not Done: its message and exit code.
int ReportOutcome(const Reply& reply, int level)
{
    switch (reply.outcome) {
    case Outcome::Refused:
        return ReportRefusal(reply.answers, reply.reason, level);
    case Outcome::Failed:
        Err(Say(Text::ChangeFailed, ModeTitle(level)) + "\n");
        return kExitFailed;
    case Outcome::BadRequest:
    case Outcome::TimedOut:
    case Outcome::Done:
        break;
    }
    Err(Say(Text::BadReply) + "\n");
    return kExitFailed;
}

class Session {
public:
    explicit Session(const Invocation& invocation) : invocation_(invocation) {}

    // The reply, or the exit code when there is none to use.
    bool Ask(const Request& request, Reply& reply, int& exitCode)
    {
        const CallResult result = Call(request, invocation_.timeoutMs);
        if (result.status != CallResult::Status::Answered) {
            exitCode = ReportCallFailure(result, invocation_.timeoutMs);
            return false;
        }
        reply = result.reply;
        return true;
    }

    bool AskStatus(Status& status, int& exitCode)
    {
        Reply reply;
        if (!Ask(Request{Command::Status}, reply, exitCode))
            return false;
        if (reply.outcome != Outcome::Done) {
            exitCode = ReportOutcome(reply, 0);
            return false;
        }
        status = reply.status;
        return true;
    }

    // Sets the mode (or puts `level` back while `expected` is in force) and
    // waits until the change has been applied.
    int Change(Command command, int level, int expected = 0)
    {
        Request request;
        request.command = command;
        request.level = uint32_t(level);
        request.flags = command == Command::SetMode && invocation_.yes ? kConfirmTweak : 0;
        request.expected = uint32_t(expected);
        Reply reply;
        int exitCode = kExitDone;
        if (!Ask(request, reply, exitCode))
            return exitCode;
        if (reply.outcome != Outcome::Done)
            return ReportOutcome(reply, level);
        return kExitDone;
    }

    int StatusCommand()
    {
        Status status;
        int exitCode = kExitDone;
        if (!AskStatus(status, exitCode))
            return exitCode;
        if (invocation_.json) {
            Out(StatusJson(status));
            return kExitDone;
        }
        const auto yesNo = [](bool value) { return Say(value ? Text::Yes : Text::No); };
        const double totalWh = status.boardTotalWh + status.vgaTotalWh;
        const double currentWh = status.boardCurrentWh + status.vgaCurrentWh;
        std::vector<std::pair<Text, std::string>> rows = {
            {Text::StatusMode, ModeTitle(int(status.level)) + " (" + NameOfLevel(int(status.level)) + ")"}};
        if (int(status.level) == GearLevel::Auto)
            rows.push_back({Text::StatusAutoGear, ModeTitle(AutoGearLevel(status.autoGear))});
        Text graphics = Text::GraphicsAbsent;
        if (status.flags & kVgaConnected)
            graphics = status.flags & kVgaSyncEnabled ? Text::GraphicsSynchronised : Text::GraphicsNotSynchronised;
        rows.insert(rows.end(), {
            {Text::StatusAutoSupported, yesNo(status.flags & kAutoSupported)},
            {Text::StatusCalibrationNeeded, yesNo(status.flags & kCalibrationNeeded)},
            {Text::StatusCpuPower, Format("%.1f W", status.cpuPowerW)},
            {Text::StatusEnergy, Format("%.3f Wh", currentWh) + " / " + Format("%.3f Wh", totalWh) + "  (" +
                                     Say(Text::EnergySince) + " " + LocalTimeText(status.currentSince) + " / " +
                                     LocalTimeText(status.totalSince) + ")"},
            {Text::StatusCo2, Format("%.3f g", Co2Grams(status, currentWh)) + " / " +
                                  Format("%.3f g", Co2Grams(status, totalWh))},
            {Text::StatusGraphics, Say(graphics)},
            {Text::StatusPolicies, PoliciesText()},
        });
        AddAutomationRows(rows);
        std::vector<std::pair<std::string, std::string>> said;
        size_t width = 0;
        for (const auto& [label, value] : rows) {
            said.emplace_back(Say(label), value);
            width = std::max(width, said.back().first.size());
        }
        std::string text;
        for (auto& [label, value] : said) {
            label.resize(width + 2, ' ');
            text += label + value + "\n";
        }
        Out(text);
        return kExitDone;
    }

    int GetCommand()
    {
        Status status;
        int exitCode = kExitDone;
        if (!AskStatus(status, exitCode))
            return exitCode;
        Out(invocation_.json ? GetJson(status) : std::string(NameOfLevel(int(status.level))) + "\n");
        return kExitDone;
    }

    int ListCommand()
    {
        Status status;
        int exitCode = kExitDone;
        if (!AskStatus(status, exitCode))
            return exitCode;
        if (invocation_.json) {
            Out(ListJson(status));
            return kExitDone;
        }
        std::string text;
        for (int level : kModeLevels) {
            const bool current = int(status.level) == level;
            std::string line = std::string(current ? "* " : "  ") + NameOfLevel(level);
            line.resize(10, ' ');
            line += ModeTitle(level);
            if (current)
                line += "  " + Say(Text::Current);
            const Reason reason = Unavailability(status, level);
            if (reason != Reason::None)
                line += "  " + Say(Text::Unavailable, Say(RefusalText(reason)));
            text += line + "\n";
        }
        Out(text);
        return kExitDone;
    }

    int DailyCommand()
    {
        const DailyRead read =
            ReadDailyHistory([this](const Request& request) { return Call(request, invocation_.timeoutMs); });
        switch (read.status) {
        case DailyRead::Status::Done:
            break;
        case DailyRead::Status::CallFailed:
            return ReportCallFailure(read.failure, invocation_.timeoutMs);
        case DailyRead::Status::Changing:
            Err(Say(Text::HistoryChanging) + "\n");
            return kExitFailed;
        case DailyRead::Status::Unsupported:
            Err(Say(Text::OldProgram) + "\n");
            return kExitFailed;
        case DailyRead::Status::BadReply:
            Err(Say(Text::BadReply) + "\n");
            return kExitFailed;
        }
        if (invocation_.csv)
            Out(history::CsvDocument(read.days));
        else
            Out(invocation_.json ? DailyJson(read.days) : DailyTable(read.days));
        return kExitDone;
    }

    int EnergyCommand()
    {
        if (invocation_.daily)
            return DailyCommand();
        Status status;
        int exitCode = kExitDone;
        if (!AskStatus(status, exitCode))
            return exitCode;
        if (invocation_.json || invocation_.csv) {
            Out(invocation_.json ? EnergyJson(status) : EnergyCsv(status));
            return kExitDone;
        }
        // Columns wide enough for a date and a time.
        constexpr size_t kNameWidth = 18, kValueWidth = 22;
        const auto cell = [](std::string text, size_t width) {
            text.resize(text.size() < width ? width : text.size() + 1, ' ');
            return text;
        };
        const auto row = [&cell](const std::string& name, const std::string& current, const std::string& total) {
            return cell(name, kNameWidth) + cell(current, kValueWidth) + total + "\n";
        };
        const double currentWh = status.boardCurrentWh + status.vgaCurrentWh;
        const double totalWh = status.boardTotalWh + status.vgaTotalWh;
        std::string table = row(Say(Text::EnergyAccount), Say(Text::EnergyCurrent), Say(Text::EnergyTotal));
        table += row(Say(Text::EnergyBoard), Format("%.3f Wh", status.boardCurrentWh),
                     Format("%.3f Wh", status.boardTotalWh));
        table += row(Say(Text::EnergyGraphics), Format("%.3f Wh", status.vgaCurrentWh),
                     Format("%.3f Wh", status.vgaTotalWh));
        table += row(Say(Text::EnergySum), Format("%.3f Wh", currentWh), Format("%.3f Wh", totalWh));
        table += row(Say(Text::EnergyCo2), Format("%.3f g", Co2Grams(status, currentWh)),
                     Format("%.3f g", Co2Grams(status, totalWh)));
        table += row(Say(Text::EnergySince), LocalTimeText(status.currentSince), LocalTimeText(status.totalSince));
        Out(table);
        return kExitDone;
    }

    int HoldCommand()
    {
        Status status;
        int exitCode = kExitDone;
        if (!AskStatus(status, exitCode))
            return exitCode;
        const int previous = int(status.level);
        if ((exitCode = Change(Command::SetMode, invocation_.level)) != kExitDone)
            return exitCode;
        // Ctrl+C reaches the command; pellixctl stays to put the mode back.
        SetConsoleCtrlHandler(OnInterrupt, TRUE);
        const std::optional<int> programExit = RunProgram(invocation_.program);
        if (!programExit)
            Err(Say(Text::ProgramFailed, invocation_.program.front()) + "\n");
        if (previous != invocation_.level)
            Change(Command::RestoreMode, previous, invocation_.level);
        return programExit ? *programExit : kExitFailed;
    }

    int CalibrateCommand()
    {
        Reply reply;
        int exitCode = kExitDone;
        SetConsoleCtrlHandler(OnInterrupt, TRUE);
        if (!Ask(Request{Command::StartCalibration}, reply, exitCode))
            return exitCode;
        if (reply.outcome != Outcome::Done)
            return ReportOutcome(reply, GearLevel::Auto);
        int shown = -1;
        bool cancelSent = false;
        while (reply.progress.state == CalibrationState::Running) {
            const int percent = reply.progress.steps ? int(reply.progress.step * 100 / reply.progress.steps) : 0;
            if (percent != shown && (IsConsoleOutput() || percent % 10 == 0 || shown < 0)) {
                Progress(Say(Text::Calibrating, std::to_string(percent)));
                shown = percent;
            }
            Sleep(kProgressPollMs);
            Command next = Command::CalibrationProgress;
            if (interrupted && !cancelSent) {
                next = Command::CancelCalibration;
                cancelSent = true;
            }
            if (!Ask(Request{next}, reply, exitCode))
                return exitCode;
        }
        if (IsConsoleOutput())
            Out("\n");
        const bool completed = reply.progress.state == CalibrationState::Completed;
        (completed ? Out : Err)(Say(completed ? Text::CalibrationCompleted : Text::CalibrationCancelled) + "\n");
        return completed ? kExitDone : kExitFailed;
    }

    int RuleCommand()
    {
        switch (invocation_.ruleAction) {
        case RuleAction::List:
            return RuleList();
        case RuleAction::Add:
        case RuleAction::Remove:
            break;
        }
        const bool add = invocation_.ruleAction == RuleAction::Add;
        Request request;
        request.command = add ? Command::AddRule : Command::RemoveRule;
        request.level = uint32_t(invocation_.level);
        request.program = invocation_.ruleProgram;
        Reply reply;
        int exitCode = kExitDone;
        if (!Ask(request, reply, exitCode))
            return exitCode;
        if (reply.outcome == Outcome::BadRequest) {
            Err(Say(Text::OldProgram) + "\n");
            return kExitFailed;
        }
        if (reply.outcome == Outcome::Refused)
            return ReportRefusal(reply.answers, reply.reason, invocation_.level, invocation_.ruleProgram);
        if (reply.outcome != Outcome::Done) {
            Err(Say(Text::NotStored) + "\n");
            return kExitFailed;
        }
        Out(Say(add ? Text::RuleAdded : Text::RuleRemoved, invocation_.ruleProgram) + "\n");
        return kExitDone;
    }

private:
    // One rule a line: its program, its mode, and whether it is invalid.
    int RuleList()
    {
        std::string text;
        for (uint32_t index = 0;; ++index) {
            Request request;
            request.command = Command::RuleAt;
            request.index = index;
            Reply reply;
            int exitCode = kExitDone;
            if (!Ask(request, reply, exitCode))
                return exitCode;
            if (reply.outcome == Outcome::BadRequest) {
                Err(Say(Text::OldProgram) + "\n");
                return kExitFailed;
            }
            if (reply.outcome == Outcome::Refused && reply.reason == Reason::NoSuchRule)
                break;
            if (reply.outcome != Outcome::Done)
                return ReportOutcome(reply, 0);
            const RuleEntry& rule = reply.rule;
            std::string line = rule.program + "  " + NameOfLevel(int(rule.level));
            if (rule.problem != 0)
                line += "  " + Say(Text::RuleInvalid);
            text += line + "\n";
            // The rules may change meanwhile; the count ends the list.
            if (index + 1 >= rule.count)
                break;
        }
        Out(text.empty() ? Say(Text::RulesEmpty) + "\n" : text);
        return kExitDone;
    }

    // Who holds the mode and the hotkeys that are not off; nothing from a
    // program that does not know the question.
    void AddAutomationRows(std::vector<std::pair<Text, std::string>>& rows)
    {
        Reply reply;
        int exitCode = kExitDone;
        if (!Ask(Request{Command::AutomationStatus}, reply, exitCode) || reply.outcome != Outcome::Done)
            return;
        const AutomationState& state = reply.automation;
        static constexpr Text kHolders[] = {Text::HeldByNothing, Text::HeldByUser, Text::HeldByRule,
                                            Text::HeldBySchedule};
        rows.insert(rows.begin() + 1, {Text::StatusHeldBy, Say(kHolders[state.holder], state.holderName)});
        static constexpr const char* kActions[kHotkeys] = {"turbo", "high", "medium", "max", "auto", "next"};
        static constexpr Text kStates[] = {Text::HotkeyRegistered, Text::HotkeyRegistered, Text::HotkeyTaken,
                                           Text::HotkeyInvalid};
        std::string hotkeys;
        for (size_t i = 0; i < kHotkeys; ++i) {
            if (state.hotkeys[i] == 0)
                continue;
            hotkeys += (hotkeys.empty() ? "" : ", ") + std::string(kActions[i]) + " " + Say(kStates[state.hotkeys[i]]);
        }
        if (!hotkeys.empty())
            rows.insert(rows.begin() + 2, {Text::StatusHotkeys, hotkeys});
    }

    const Invocation& invocation_;
};

} // namespace

int Run(const Invocation& invocation)
{
    Session session(invocation);
    switch (invocation.verb) {
    case Verb::Status:
        return session.StatusCommand();
    case Verb::Get:
        return session.GetCommand();
    case Verb::List:
        return session.ListCommand();
    case Verb::Set: {
        const int exitCode = session.Change(Command::SetMode, invocation.level);
        if (exitCode == kExitDone)
            Out(Say(Text::ModeSet, ModeTitle(invocation.level)) + "\n");
        return exitCode;
    }
    case Verb::Hold:
        return session.HoldCommand();
    case Verb::Calibrate:
        return session.CalibrateCommand();
    case Verb::Energy:
        return session.EnergyCommand();
    case Verb::Version:
        Out(kVersionText);
        return kExitDone;
    case Verb::Help:
        Out(Say(Text::Help) + "\n");
        return kExitDone;
    case Verb::Rule:
        return session.RuleCommand();
    }
    return kExitUsage;
}

int ReportUsageError(const UsageError& error)
{
    Text text = Text::UnknownCommand;
    switch (error.kind) {
    case UsageError::Kind::UnknownCommand:
        break;
    case UsageError::Kind::UnknownMode:
        text = Text::UnknownMode;
        break;
    case UsageError::Kind::BadOption:
        text = Text::BadOption;
        break;
    case UsageError::Kind::MissingMode:
        text = Text::MissingMode;
        break;
    case UsageError::Kind::MissingProgram:
        text = Text::MissingProgram;
        break;
    case UsageError::Kind::BadRule:
        text = Text::BadRule;
        break;
    case UsageError::Kind::BadRuleProgram:
        text = Text::BadRuleProgram;
        break;
    }
    Err(Say(text, error.word) + "\n");
    return kExitUsage;
}

} // namespace ctl
