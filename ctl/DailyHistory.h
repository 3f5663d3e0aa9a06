#pragma once
// Reads the running program's savings history over the control pipe, one
// day per request. The days count as one list only when every reply of a
// pass carried the same generation and the end of the list was seen while
// it held; when the history changed meanwhile (a new day, a clear) the
// reading starts over, a bounded number of times, so that what is printed
// never mixes two lists.

#include "ctl/ControlClient.h"
#include "engine/SavingsHistory.h"

#include <functional>
#include <vector>

namespace ctl {

struct DailyRead {
    enum class Status {
        Done,
        Changing,     // the history changed during every pass
        Unsupported,  // the program does not know the request
        BadReply,     // a reply no honest program sends
        CallFailed,   // see `failure`
    };
    Status status = Status::Done;
    std::vector<history::DayRecord> days;  // Done: oldest first
    CallResult failure;
};

// One request/reply round trip (ctl::Call in the program).
using DailyCaller = std::function<CallResult(const kelp::control::Request&)>;

// Passes before a history that keeps changing is given up; each pass makes
// at most history::kMaxDays + 1 requests.
constexpr int kDailyPasses = 4;

DailyRead ReadDailyHistory(const DailyCaller& call);

} // namespace ctl
