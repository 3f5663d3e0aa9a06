#pragma once
// Hands control requests from the pipe threads to the main window's thread
// and the replies back. A pipe thread posts the number of its ticket to the
// window and waits for the reply, for a bounded time; the window's thread
// takes the job by that number and delivers the reply. Once its pipe thread
// has given up, a ticket is gone: a late reply is dropped, and so is a
// number that was never handed out (any process may post to the window).

#include "ipc/ControlProtocol.h"

#include <windows.h>

#include <cstdint>
#include <map>
#include <memory>
#include <optional>

namespace kelp::control {

struct Job {
    // Ask: the request itself. Confirm: the mode change it started has
    // ended; tell the user's screens and judge the outcome.
    enum class Phase { Ask, Confirm };
    Phase phase = Phase::Ask;
    Request request;
};

class ControlMailbox {
public:
    // The window and message the ticket numbers are posted with (wParam
    // carries the private-message tag, lParam the number).
    ControlMailbox(HWND window, UINT message, WPARAM tag);
    ControlMailbox(const ControlMailbox&) = delete;
    ControlMailbox& operator=(const ControlMailbox&) = delete;

    // Any thread but the window's: posts the job and waits up to timeoutMs
    // for its reply; a TimedOut reply when none came.
    Reply Relay(const Job& job, DWORD timeoutMs);

    // The window's thread: the job of the number, once, while its pipe
    // thread still waits.
    std::optional<Job> Take(LPARAM number);
    void Deliver(LPARAM number, const Reply& reply);

private:
    struct Ticket;

    HWND window_;
    UINT message_;
    WPARAM tag_;
    SRWLOCK lock_ = SRWLOCK_INIT;
    uint32_t next_ = 1;
    std::map<uint32_t, std::shared_ptr<Ticket>> tickets_;
};

} // namespace kelp::control
