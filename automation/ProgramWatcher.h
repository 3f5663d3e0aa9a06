#pragma once
// Which program rules apply now: one process snapshot per call, taken only
// when a valid rule exists. A rule naming a file matches any process of
// that name; a rule naming a full path matches only a process started from
// it, and only processes whose file name matches are asked for their path.

#include "automation/AutomationSettings.h"
#include "automation/ModeArbiter.h"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace automation {

struct ProcessEntry {
    DWORD id = 0;
    std::string name;  // the executable's file name
};

// The valid rules matched by the processes, each once, in rule order.
// pathOf gives a process's full image path ("" when it cannot be read).
std::vector<RunningRule> MatchRules(const AutomationSettings& settings, const std::vector<ProcessEntry>& processes,
                                    const std::function<std::string(DWORD)>& pathOf);

// The running processes' rules, from a snapshot of the system's processes.
std::vector<RunningRule> RunningRules(const AutomationSettings& settings);

} // namespace automation
