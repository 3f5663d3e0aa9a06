#include "ipc/MessagePipeServer.h"

#include "ipc/LocalPipeSecurity.h"

namespace kelp {
namespace {
// An over-long request is read to its end so that its client can take the
// reply, but not beyond this.
constexpr DWORD kMaxRequestBytes = 1 << 20;
// Pause after an unexpected connect failure, so that a persistent one does
// not spin.
constexpr DWORD kRetryPauseMs = 100;
} // namespace

MessagePipeServer::MessagePipeServer(Handler handler, DWORD requestCapacity)
    : handler_(std::move(handler)),
      ioEvent_(CreateEventA(nullptr, TRUE, FALSE, nullptr)),
      request_(requestCapacity),
      discard_(requestCapacity)
{
}

bool MessagePipeServer::Create(const char* name, bool inheritHandle)
{
    LocalPipeSecurity security(inheritHandle);
    return Create(name, 1, true, security);
}

bool MessagePipeServer::Create(const char* name, const Instance& instance)
{
    LocalPipeSecurity security(false, instance.securityDescriptor);
    return Create(name, instance.maxInstances, instance.first, security);
}

bool MessagePipeServer::Create(const char* name, DWORD maxInstances, bool first, LocalPipeSecurity& security)
{
    if (!security.IsValid() || !ioEvent_.IsValid())
        return false;
    const DWORD size = static_cast<DWORD>(request_.size());
    return pipe_.Create(name, PIPE_ACCESS_DUPLEX | FILE_FLAG_OVERLAPPED | (first ? FILE_FLAG_FIRST_PIPE_INSTANCE : 0),
                        PIPE_TYPE_MESSAGE | PIPE_READMODE_MESSAGE | PIPE_WAIT |
                            PIPE_REJECT_REMOTE_CLIENTS,
                        maxInstances, size, size, 0, security.Attributes());
}

void MessagePipeServer::Serve(HANDLE stopEvent)
{
    while (WaitForSingleObject(stopEvent, 0) == WAIT_TIMEOUT)
        ServeClient(stopEvent);
}

OVERLAPPED MessagePipeServer::FreshOverlapped() const
{
    OVERLAPPED overlapped{};
    overlapped.hEvent = ioEvent_.Get();
    return overlapped;
}

void MessagePipeServer::ServeClient(HANDLE stopEvent)
{
    OVERLAPPED overlapped = FreshOverlapped();
    if (!pipe_.ConnectClient(&overlapped)) {
        // A client that came and went before the connect leaves the pipe
        // waiting to be disconnected.
        if (GetLastError() == ERROR_NO_DATA)
            pipe_.DisconnectClient();
        else
            WaitForSingleObject(stopEvent, kRetryPauseMs);
        return;
    }
    DWORD transferred = 0;
    const auto connected = pipe_.Await(overlapped, transferred, INFINITE, stopEvent);
    if (connected == NamedPipeA::Completion::Aborted)
        return;
    if (connected == NamedPipeA::Completion::Done) {
        DWORD size = 0;
        if (ReadRequest(stopEvent, size))
            SendReply(handler_(request_.data(), size), stopEvent);
    }
    pipe_.DisconnectClient();
}

bool MessagePipeServer::ReadRequest(HANDLE stopEvent, DWORD& size)
{
    const DWORD capacity = static_cast<DWORD>(request_.size());
    OVERLAPPED overlapped = FreshOverlapped();
    DWORD ignored = 0;
    if (!pipe_.Read(request_.data(), capacity, ignored, &overlapped))
        return false;
    auto completion = pipe_.Await(overlapped, size, kFirstByteTimeoutMs, stopEvent);
    // Only the start of an over-long request counts; the rest is dropped.
    for (DWORD total = size; completion == NamedPipeA::Completion::MoreData;) {
        size = capacity;
        DWORD part = 0;
        overlapped = FreshOverlapped();
        if (total > kMaxRequestBytes ||
            !pipe_.Read(discard_.data(), capacity, ignored, &overlapped))
            return false;
        completion = pipe_.Await(overlapped, part, kClientTimeoutMs, stopEvent);
        total += part;
    }
    return completion == NamedPipeA::Completion::Done;
}

void MessagePipeServer::SendReply(const std::vector<uint8_t>& reply, HANDLE stopEvent)
{
    if (reply.empty())
        return;
    OVERLAPPED overlapped = FreshOverlapped();
    DWORD written = 0;
    if (!pipe_.Write(reply.data(), static_cast<DWORD>(reply.size()), written, &overlapped) ||
        pipe_.Await(overlapped, written, kClientTimeoutMs, stopEvent) !=
            NamedPipeA::Completion::Done)
        return;
    // Disconnecting discards a reply the client has not read yet.
    overlapped = FreshOverlapped();
    pipe_.AwaitClientGone(overlapped, kClientTimeoutMs, stopEvent);
}

} // namespace kelp
