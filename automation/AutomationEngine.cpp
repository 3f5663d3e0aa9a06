#include "automation/AutomationEngine.h"

#include "automation/AutomationStore.h"
#include "automation/ProgramWatcher.h"
#include "framework/system/Trace.h"
#include "kelp/System/Language.h"

namespace automation {
namespace {

std::string Filled(const char* key, const std::string& first, const std::string& second = {})
{
    std::string text = kelp::Translate(key);
    for (const auto& [mark, value] : {std::pair{"%1", &first}, std::pair{"%2", &second}}) {
        const size_t at = text.find(mark);
        if (at != std::string::npos)
            text.replace(at, 2, *value);
    }
    return text;
}

std::string ModeName(int level)
{
    return kelp::Translate(LevelToNameKey(level));
}

ModeChangeCause CauseOf(HoldCause cause)
{
    return cause == HoldCause::Schedule ? ModeChangeCause::Schedule : ModeChangeCause::Rule;
}

} // namespace

int LocalMinuteOfWeek()
{
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return MinuteOfWeek(now.wDayOfWeek, now.wHour, now.wMinute);
}

AutomationEngine::AutomationEngine(HWND window, AutomationHost& host, WeekClock clock)
    : window_(window), host_(host), clock_(std::move(clock)), hotkeys_(window)
{
}

void AutomationEngine::Start()
{
    Reload();
}

bool AutomationEngine::Commit(AutomationSettings settings)
{
    Validate(settings);
    if (!AutomationStore::Save(settings))
        return false;
    Take(std::move(settings));
    return true;
}

void AutomationEngine::Reload()
{
    Take(AutomationStore::Load());
}

void AutomationEngine::SuspendHotkeys(bool suspended)
{
    if (suspended == hotkeysSuspended_)
        return;
    hotkeysSuspended_ = suspended;
    if (suspended)
        hotkeys_.UnbindAll();
    else
        hotkeys_.Bind(settings_);
}

void AutomationEngine::Take(AutomationSettings settings)
{
    settings_ = std::move(settings);
    Validate(settings_);
    if (!hotkeysSuspended_)
        hotkeys_.Bind(settings_);
    arbiter_.Reset();
    Decide();
}

void AutomationEngine::Tick()
{
    Decide();
}

void AutomationEngine::Decide()
{
    Situation situation;
    situation.currentLevel = host_.CurrentLevel();
    situation.settled = host_.IsSettled();
    if (!situation.settled)
        return;
    situation.rules = RunningRules(settings_);
    if (settings_.HasValidWindow()) {
        const int now = clock_();
        for (size_t i = 0; i < settings_.windows.size(); ++i) {
            if (settings_.windows[i].IsValid() && settings_.windows[i].Covers(now)) {
                situation.window = i;
                situation.windowLevel = settings_.windows[i].level;
                break;
            }
        }
    }
    const std::vector<Candidate> candidates = arbiter_.Evaluate(situation);
    // The level asked for is not yet in force when the change has just started.
    int heldLevel = situation.currentLevel;
    for (const Candidate& candidate : candidates) {
        std::string refusal;
        if (candidate.level == situation.currentLevel ||
            Request(candidate.level, CauseOf(candidate.source.cause), refusal)) {
            arbiter_.Held(candidate);
            heldLevel = candidate.level;
            break;
        }
        arbiter_.Refused(candidate);
        Trace("~~~[Automation] %s refused for %s: %s", ModeName(candidate.level).c_str(),
              SourceName(candidate.source).c_str(), refusal.c_str());
        // The mode from before is put back unasked; only a rule's or a
        // window's refusal is worth a balloon, once.
        if (candidate.source.cause != HoldCause::None)
            host_.Balloon(Filled("AutomationRefused", ModeName(candidate.level), SourceName(candidate.source)) +
                          (refusal.empty() ? "" : "\n" + refusal));
    }
    SetHold(arbiter_.Holder(), heldLevel);
}

bool AutomationEngine::Request(int level, ModeChangeCause cause, std::string& refusal)
{
    const bool letThrough =
        cause == ModeChangeCause::Hotkey ? host_.SelectAsDial(level, refusal) : host_.ApplyUnasked(level, refusal);
    if (!letThrough)
        return false;
    CountModeChange(cause);
    return true;
}

bool AutomationEngine::OnHotkey(WPARAM id)
{
    const std::optional<HotkeyAction> action = HotkeyBinder::ActionOf(id);
    if (!action)
        return false;
    if (hotkeys_.StateOf(*action) != HotkeyState::Registered)
        return true;
    int level = ActionLevel(*action);
    if (*action == HotkeyAction::NextMode) {
        // The modes in the hotkeys' order, Auto followed by Turbo.
        const int current = host_.CurrentLevel();
        size_t next = 0;
        for (size_t i = 0; i + 1 < kHotkeyCount; ++i)
            if (ActionLevel(HotkeyAction(i)) == current)
                next = (i + 1) % (kHotkeyCount - 1);
        level = ActionLevel(HotkeyAction(next));
    }
    // As a click on the dial: the host's refusals decide, and a pending
    // start-up restore gives way.
    std::string refusal;
    if (!Request(level, ModeChangeCause::Hotkey, refusal) && !refusal.empty())
        host_.Balloon(refusal);
    return true;
}

void AutomationEngine::SetHold(const Source& source, int level)
{
    // The window's mode line has room for a short program name only.
    constexpr size_t kShownName = 24;
    std::string name = SourceName(source);
    if (name.size() > kShownName)
        name = name.substr(0, kShownName - 3) + "...";
    std::string text;
    if (source.cause == HoldCause::Rule || source.cause == HoldCause::Schedule)
        text = Filled(source.cause == HoldCause::Rule ? "AutomationForProgram" : "AutomationBySchedule",
                      ModeName(level), name);
    if (text != holdText_) {
        holdText_ = text;
        host_.ShowHold(holdText_);
    }
}

AutomationService::Hold AutomationEngine::CurrentHold() const
{
    const Source source = arbiter_.Holder();
    Hold hold;
    hold.cause = source.cause;
    if (source.cause == HoldCause::Rule)
        hold.program = SourceName(source);
    return hold;
}

std::string AutomationEngine::SourceName(const Source& source) const
{
    if (source.cause == HoldCause::Rule && source.index < settings_.rules.size())
        return settings_.rules[source.index].FileName();
    if (source.cause == HoldCause::Schedule)
        return kelp::Translate("AutomationSchedule");
    return {};
}

} // namespace automation
