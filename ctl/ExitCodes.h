#pragma once
// pellixctl's exit codes, as `pellixctl help` and the README list them.

namespace ctl {

enum ExitCode : int {
    kExitDone = 0,
    kExitFailed = 1,      // the change or the calibration failed
    kExitUsage = 2,       // unknown command or mode, bad options
    kExitNotRunning = 3,  // Pellix is not running
    kExitRefused = 4,     // Pellix refused (see the message)
    kExitTimedOut = 5,    // no answer within the time-out
};

} // namespace ctl
