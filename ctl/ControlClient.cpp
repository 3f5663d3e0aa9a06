#include "ctl/ControlClient.h"

#include "ipc/OwnedHandle.h"

#include <string>
#include <vector>

namespace ctl {
namespace {

using Status = CallResult::Status;

// How long one wait for a free instance lasts before the deadline is
// looked at again.
constexpr DWORD kBusyWaitSliceMs = 1000;

DWORD Remaining(DWORD start, DWORD timeoutMs)
{
    const DWORD elapsed = GetTickCount() - start;
    return elapsed >= timeoutMs ? 0 : timeoutMs - elapsed;
}

// The client end, or the reason there is none.
Status Open(const std::string& path, DWORD start, DWORD timeoutMs, kelp::OwnedHandle& pipe)
{
    for (;;) {
        pipe.Reset(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                               FILE_FLAG_OVERLAPPED | SECURITY_SQOS_PRESENT | SECURITY_IDENTIFICATION, nullptr));
        if (pipe.IsValid())
            return Status::Answered;
        if (GetLastError() != ERROR_PIPE_BUSY)
            return Status::NotRunning;
        const DWORD remaining = Remaining(start, timeoutMs);
        if (remaining == 0)
            return Status::TimedOut;
        // Fails at once when the name went away meanwhile; the next open tells.
        WaitNamedPipeA(path.c_str(), remaining < kBusyWaitSliceMs ? remaining : kBusyWaitSliceMs);
    }
}

} // namespace

CallResult Call(const kelp::control::Request& request, DWORD timeoutMs, const char* pipeName)
{
    using namespace kelp::control;
    const DWORD start = GetTickCount();
    CallResult result;
    kelp::OwnedHandle pipe;
    result.status = Open(std::string("\\\\.\\pipe\\") + pipeName, start, timeoutMs, pipe);
    if (result.status != Status::Answered)
        return result;
    DWORD mode = PIPE_READMODE_MESSAGE;
    kelp::OwnedHandle event(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    if (!event.IsValid() || !SetNamedPipeHandleState(pipe.Get(), &mode, nullptr, nullptr)) {
        result.status = Status::NotRunning;
        return result;
    }
    std::vector<uint8_t> bytes = EncodeRequest(request);
    // Room for one byte more than any reply may have, so that a longer one shows.
    std::vector<uint8_t> reply(kMaxMessage + 1);
    OVERLAPPED overlapped{};
    overlapped.hEvent = event.Get();
    DWORD read = 0;
    BOOL done = TransactNamedPipe(pipe.Get(), bytes.data(), DWORD(bytes.size()), reply.data(), DWORD(reply.size()),
                                  &read, &overlapped);
    if (!done && GetLastError() == ERROR_IO_PENDING) {
        if (WaitForSingleObject(event.Get(), Remaining(start, timeoutMs)) != WAIT_OBJECT_0) {
            CancelIo(pipe.Get());
            // The cancelled transfer must end before its buffers go.
            GetOverlappedResult(pipe.Get(), &overlapped, &read, TRUE);
            result.status = Status::TimedOut;
            return result;
        }
        done = GetOverlappedResult(pipe.Get(), &overlapped, &read, FALSE);
    }
    std::optional<Reply> decoded;
    if (done)
        decoded = DecodeReply(reply.data(), read);
    const bool matches = decoded && (decoded->answers == request.command || decoded->outcome == Outcome::BadRequest);
    if (!matches) {
        // A server that is ending drops its clients; anything else is a reply we cannot use.
        result.status = !done && GetLastError() != ERROR_MORE_DATA ? Status::NotRunning : Status::BadReply;
        return result;
    }
    result.status = decoded->outcome == Outcome::TimedOut ? Status::TimedOut : Status::Answered;
    result.reply = *decoded;
    return result;
}

} // namespace ctl
