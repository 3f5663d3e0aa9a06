#pragma once
// One request/reply round trip with the running program over its control
// pipe, within a time-out. The pipe is opened for identification only, so
// that a process posing as the server cannot act under the caller's name.

#include "ipc/ControlProtocol.h"

#include <windows.h>

namespace ctl {

struct CallResult {
    enum class Status { Answered, NotRunning, TimedOut, BadReply };
    Status status = Status::NotRunning;
    kelp::control::Reply reply;
};

CallResult Call(const kelp::control::Request& request, DWORD timeoutMs,
                const char* pipeName = kelp::control::kPipeName);

} // namespace ctl
