#include "automation/ModeArbiter.h"

#include "automation/AutomationSettings.h"

#include <algorithm>

namespace automation {
namespace {

std::vector<size_t> Indices(const std::vector<RunningRule>& rules)
{
    std::vector<size_t> indices;
    for (const RunningRule& rule : rules)
        indices.push_back(rule.index);
    std::sort(indices.begin(), indices.end());
    return indices;
}

} // namespace

std::vector<Candidate> ModeArbiter::Evaluate(const Situation& situation)
{
    if (!situation.settled)
        return {};
    const int current = situation.currentLevel;
    if (!ours_) {
        base_ = ours_ = current;
    } else if (current != *ours_) {
        // Not a mode the automation held: the user's (or another
        // program's) choice, which is also what comes back later.
        base_ = ours_ = current;
        userHolds_ = true;
    }

    const std::vector<size_t> running = Indices(situation.rules);
    if (running != lastRules_ || situation.window != lastWindow_) {
        userHolds_ = false;
        ForgetEnded(situation);
        lastRules_ = running;
        lastWindow_ = situation.window;
    }
    if (userHolds_) {
        holder_ = {running.empty() && !situation.window ? HoldCause::None : HoldCause::User, 0};
        return {};
    }

    std::vector<RunningRule> rules = situation.rules;
    std::stable_sort(rules.begin(), rules.end(), [](const RunningRule& a, const RunningRule& b) {
        return PerformanceRank(a.level) > PerformanceRank(b.level);
    });
    std::vector<Candidate> candidates;
    for (const RunningRule& rule : rules)
        candidates.push_back({{HoldCause::Rule, rule.index}, rule.level});
    if (situation.window)
        candidates.push_back({{HoldCause::Schedule, *situation.window}, situation.windowLevel});
    candidates.push_back({{HoldCause::None, 0}, *base_});
    std::erase_if(candidates, [this](const Candidate& candidate) { return IsSkipped(candidate.source); });
    return candidates;
}

void ModeArbiter::Held(const Candidate& candidate)
{
    ours_ = candidate.level;
    holder_ = candidate.source;
}

void ModeArbiter::Refused(const Candidate& candidate)
{
    if (!IsSkipped(candidate.source))
        refused_.push_back(candidate.source);
}

void ModeArbiter::Reset()
{
    lastRules_.clear();
    lastWindow_.reset();
    refused_.clear();
    userHolds_ = false;
    holder_ = {};
}

Source ModeArbiter::Holder() const
{
    return holder_;
}

bool ModeArbiter::IsSkipped(const Source& source) const
{
    return std::find(refused_.begin(), refused_.end(), source) != refused_.end();
}

void ModeArbiter::ForgetEnded(const Situation& situation)
{
    std::erase_if(refused_, [&situation](const Source& source) {
        switch (source.cause) {
        case HoldCause::Rule:
            return std::none_of(situation.rules.begin(), situation.rules.end(),
                                [&source](const RunningRule& rule) { return rule.index == source.index; });
        case HoldCause::Schedule:
            return situation.window != source.index;
        case HoldCause::None:
        case HoldCause::User:
            break;
        }
        // The mode from before is tried again whenever something changes.
        return true;
    });
}

} // namespace automation
