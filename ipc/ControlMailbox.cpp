#include "ipc/ControlMailbox.h"

#include "framework/system/ExclusiveLock.h"
#include "ipc/OwnedHandle.h"

namespace kelp::control {

struct ControlMailbox::Ticket {
    Job job;
    bool taken = false;
    Reply reply;
    OwnedHandle answered{CreateEventA(nullptr, TRUE, FALSE, nullptr)};
};

ControlMailbox::ControlMailbox(HWND window, UINT message, WPARAM tag)
    : window_(window), message_(message), tag_(tag)
{
}

Reply ControlMailbox::Relay(const Job& job, DWORD timeoutMs)
{
    auto ticket = std::make_shared<Ticket>();
    ticket->job = job;
    const Reply timedOut = Answer(job.request.command, Outcome::TimedOut);
    if (!ticket->answered.IsValid())
        return timedOut;
    uint32_t number = 0;
    {
        ExclusiveLock lock(lock_);
        // Zero is never handed out; a wrapped counter skips numbers in use.
        do
            number = next_++;
        while (number == 0 || tickets_.count(number));
        tickets_[number] = ticket;
    }
    const bool posted = PostMessageA(window_, message_, tag_, LPARAM(number)) != FALSE;
    const bool answered = posted && WaitForSingleObject(ticket->answered.Get(), timeoutMs) == WAIT_OBJECT_0;
    ExclusiveLock lock(lock_);
    tickets_.erase(number);
    // Delivered under the lock, so a reply is either complete or absent.
    return answered ? ticket->reply : timedOut;
}

std::optional<Job> ControlMailbox::Take(LPARAM number)
{
    ExclusiveLock lock(lock_);
    const auto found = tickets_.find(uint32_t(number));
    if (found == tickets_.end() || found->second->taken)
        return std::nullopt;
    found->second->taken = true;
    return found->second->job;
}

void ControlMailbox::Deliver(LPARAM number, const Reply& reply)
{
    ExclusiveLock lock(lock_);
    const auto found = tickets_.find(uint32_t(number));
    if (found == tickets_.end() || !found->second->taken)
        return;
    found->second->reply = reply;
    SetEvent(found->second->answered.Get());
}

} // namespace kelp::control
