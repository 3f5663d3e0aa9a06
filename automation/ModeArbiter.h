#pragma once
// Who holds the power mode, decided once a tick from what runs and what
// time it is. Precedence: the user's own choice, then the running programs'
// rules (the most performance wins), then the schedule's window, then the
// mode from before any of them held. The user's choice is noticed as a mode
// in force that the automation did not ask for; it holds until the next
// rule starts or ends or the next window starts or ends, and then becomes
// the mode from before. A mode that is refused when asked is skipped, and
// its source is not asked again until it ends. Plain C++.

#include <cstddef>
#include <optional>
#include <vector>

namespace automation {

enum class HoldCause : unsigned char {
    None,      // the mode from before: nothing of the automation holds
    User,      // the user chose while a rule or a window applies
    Rule,
    Schedule,
};

// One source of a mode: a rule or window by its index in the settings, or
// the mode from before.
struct Source {
    HoldCause cause = HoldCause::None;
    size_t index = 0;
    bool operator==(const Source&) const = default;
};

struct Candidate {
    Source source;
    int level = 0;
};

// A valid rule whose program runs now.
struct RunningRule {
    size_t index = 0;  // in the settings' rules
    int level = 0;
};

struct Situation {
    int currentLevel = 0;
    // No mode change, calibration or question is under way: the level in
    // force is one that somebody chose. Nothing is decided otherwise.
    bool settled = true;
    std::vector<RunningRule> rules;
    std::optional<size_t> window;  // the valid window covering now
    int windowLevel = 0;
};

class ModeArbiter {
public:
    // The modes to try, best first. The caller applies the first it may:
    // a candidate whose level is in force holds at once (Held), another is
    // asked for (Held once let through, Refused otherwise). Empty when
    // nothing is to change (not settled, or the user's choice holds).
    std::vector<Candidate> Evaluate(const Situation& situation);
    // The candidate holds: its level is in force or asked for.
    void Held(const Candidate& candidate);
    // The candidate's mode was refused; its source is skipped until it ends.
    void Refused(const Candidate& candidate);
    // After a change of settings: rules and windows are renumbered, so
    // every source counts as new.
    void Reset();

    // What holds now (HoldCause::User while the user's choice overrides).
    Source Holder() const;
    // The mode from before, once known.
    std::optional<int> ModeFromBefore() const { return base_; }

private:
    bool IsSkipped(const Source& source) const;
    void ForgetEnded(const Situation& situation);

    std::optional<int> base_;
    std::optional<int> ours_;  // the level the automation last held
    bool userHolds_ = false;
    Source holder_;
    std::vector<size_t> lastRules_;
    std::optional<size_t> lastWindow_;
    std::vector<Source> refused_;
};

} // namespace automation
