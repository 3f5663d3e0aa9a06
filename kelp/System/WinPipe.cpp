#include "kelp/System/WinPipe.h"

#include "framework/system/Trace.h"
#include "kelp/System/Assert.h"

#include <memory>
#include <type_traits>

namespace kelp {
namespace {
constexpr const char* kSource = "kelp\\System\\Source\\WinPipe";

// Traces a failed call with its error code and leaves the code in place for
// the caller (the trace itself may touch the last error).
void TraceFailure(const char* format)
{
    const DWORD code = GetLastError();
    Trace(format, static_cast<int>(code));
    SetLastError(code);
}

// The system calls for each character type; the program uses the ANSI set.
HANDLE CreateNamedPipeT(const char* name, DWORD openMode, DWORD pipeMode, DWORD maxInstances,
                        DWORD outSize, DWORD inSize, DWORD timeoutMs, SECURITY_ATTRIBUTES* sa)
{
    return CreateNamedPipeA(name, openMode, pipeMode, maxInstances, outSize, inSize, timeoutMs, sa);
}

struct HandleCloser {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using ClientEnd = std::unique_ptr<std::remove_pointer_t<HANDLE>, HandleCloser>;

// The client end is opened with identification-only quality of service:
// the server may learn who calls but can never act as this program. Null
// on failure, with the error code left in place.
ClientEnd OpenClientT(const char* name)
{
    HANDLE handle = CreateFileA(name, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                SECURITY_SQOS_PRESENT | SECURITY_IDENTIFICATION, nullptr);
    return ClientEnd(handle == INVALID_HANDLE_VALUE ? nullptr : handle);
}

BOOL WaitNamedPipeT(const char* name, DWORD timeoutMs)
{
    return WaitNamedPipeA(name, timeoutMs);
}

template <typename char_t>
std::basic_string<char_t> Widen(const char* text)
{
    std::basic_string<char_t> result;
    for (; *text; ++text)
        result += static_cast<char_t>(*text);
    return result;
}

// "\\<server>\PIPE\<name>"
template <typename char_t>
std::basic_string<char_t> PipePath(const char_t* server, const char_t* name)
{
    return Widen<char_t>("\\\\") + server + Widen<char_t>("\\PIPE\\") + name;
}
} // namespace

template <typename char_t>
BasicNamedPipe<char_t>::~BasicNamedPipe()
{
    Close();
}

template <typename char_t>
bool BasicNamedPipe<char_t>::Create(const char_t* name, DWORD openMode, DWORD pipeMode,
                                    DWORD maxInstances, DWORD outBufferSize, DWORD inBufferSize,
                                    DWORD defaultTimeoutMs, SECURITY_ATTRIBUTES* security)
{
    KELP_ASSERT(!IsOpen() && name != NULL, kSource, 268);
    const std::basic_string<char_t> path = Widen<char_t>("\\\\.\\PIPE\\") + name;
    handle_ = CreateNamedPipeT(path.c_str(), openMode, pipeMode, maxInstances, outBufferSize,
                               inBufferSize, defaultTimeoutMs, security);
    if (handle_ == INVALID_HANDLE_VALUE) {
        TraceFailure("[BasicNamedPipe::Create] failed! GetLastError returned %d");
        return false;
    }
    return true;
}

template <typename char_t>
bool BasicNamedPipe<char_t>::Close()
{
    if (!IsOpen())
        return true;
    const bool closed = CloseHandle(handle_) != FALSE;
    // A handle the system refused to close is unusable either way.
    handle_ = INVALID_HANDLE_VALUE;
    if (!closed)
        TraceFailure("[BasicNamedPipe::Close] failed! GetLastError returned %d");
    return closed;
}

template <typename char_t>
bool BasicNamedPipe<char_t>::Flush()
{
    KELP_ASSERT(IsOpen(), kSource, 401);
    if (FlushFileBuffers(handle_))
        return true;
    TraceFailure("[BasicNamedPipe<char_t>::Flush] failed, GetLastError returned %d\n");
    return false;
}

template <typename char_t>
bool BasicNamedPipe<char_t>::ConnectClient(OVERLAPPED* overlapped)
{
    KELP_ASSERT(IsOpen(), kSource, 369);
    KELP_ASSERT(IsServerPipe(), kSource, 370);
    if (ConnectNamedPipe(handle_, overlapped)) {
        SetLastError(ERROR_SUCCESS);
        return true;
    }
    const DWORD code = GetLastError();
    if (code == ERROR_PIPE_CONNECTED) {
        // The client was quicker than this call; no completion will be
        // posted, so complete the overlapped structure here for Await.
        if (overlapped) {
            overlapped->Internal = 0;
            overlapped->InternalHigh = 0;
            SetEvent(overlapped->hEvent);
        }
        SetLastError(ERROR_SUCCESS);
        return true;
    }
    if (overlapped && code == ERROR_IO_PENDING)
        return true;
    TraceFailure("[BasicNamedPipe<char_t>::ConnectClient] failed, GetLastError returned %d");
    return false;
}

template <typename char_t>
bool BasicNamedPipe<char_t>::DisconnectClient()
{
    KELP_ASSERT(IsOpen(), kSource, 386);
    KELP_ASSERT(IsServerPipe(), kSource, 387);
    if (DisconnectNamedPipe(handle_))
        return true;
    TraceFailure("[BasicNamedPipe<char_t>::DisconnectClient] failed, GetLastError returned %d");
    return false;
}

template <typename char_t>
bool BasicNamedPipe<char_t>::Write(const void* buffer, DWORD size, DWORD& written,
                                   OVERLAPPED* overlapped)
{
    KELP_ASSERT(IsOpen(), kSource, 420);
    written = 0;
    // With an overlapped structure the count comes from Await.
    if (WriteFile(handle_, buffer, size, overlapped ? nullptr : &written, overlapped))
        return true;
    if (overlapped && GetLastError() == ERROR_IO_PENDING)
        return true;
    TraceFailure("[BasicNamedPipe<char_t>::Write] failed, GetLastError returned %d\n");
    return false;
}

template <typename char_t>
bool BasicNamedPipe<char_t>::Read(void* buffer, DWORD size, DWORD& read, OVERLAPPED* overlapped)
{
    KELP_ASSERT(IsOpen(), kSource, 466);
    read = 0;
    if (ReadFile(handle_, buffer, size, overlapped ? nullptr : &read, overlapped))
        return true;
    const DWORD code = GetLastError();
    // An overlapped read of a longer message completes with the first part;
    // Await reports it as MoreData.
    if (overlapped && (code == ERROR_IO_PENDING || code == ERROR_MORE_DATA))
        return true;
    TraceFailure("[BasicNamedPipe<char_t>::Read] failed, GetLastError returned %d\n");
    return false;
}

template <typename char_t>
typename BasicNamedPipe<char_t>::Completion
BasicNamedPipe<char_t>::Await(OVERLAPPED& overlapped, DWORD& transferred, DWORD timeoutMs,
                              HANDLE abortEvent)
{
    transferred = 0;
    const HANDLE events[2] = {overlapped.hEvent, abortEvent};
    const DWORD wait = WaitForMultipleObjects(abortEvent ? 2 : 1, events, FALSE, timeoutMs);
    if (wait != WAIT_OBJECT_0)
        CancelIo(handle_);
    // Waiting here also covers a cancelled operation: the system must be done
    // with the buffers before the caller reuses them.
    if (GetOverlappedResult(handle_, &overlapped, &transferred, TRUE))
        return Completion::Done;
    if (GetLastError() == ERROR_MORE_DATA)
        return Completion::MoreData;
    if (wait == WAIT_TIMEOUT)
        return Completion::TimedOut;
    if (wait == WAIT_OBJECT_0 + 1)
        return Completion::Aborted;
    return Completion::Failed;
}

template <typename char_t>
bool BasicNamedPipe<char_t>::AwaitClientGone(OVERLAPPED& overlapped, DWORD timeoutMs,
                                             HANDLE abortEvent)
{
    KELP_ASSERT(IsOpen(), kSource, 500);
    // A read on the server end ends with ERROR_BROKEN_PIPE once the client
    // has closed.
    char probe = 0;
    if (!ReadFile(handle_, &probe, sizeof probe, nullptr, &overlapped)) {
        const DWORD code = GetLastError();
        if (code != ERROR_IO_PENDING && code != ERROR_MORE_DATA)
            return code == ERROR_BROKEN_PIPE;
    }
    DWORD transferred = 0;
    return Await(overlapped, transferred, timeoutMs, abortEvent) == Completion::Failed &&
           GetLastError() == ERROR_BROKEN_PIPE;
}

template <typename char_t>
bool BasicNamedPipe<char_t>::IsServerPipe()
{
    KELP_ASSERT(IsOpen(), kSource, 588);
    DWORD flags = 0;
    if (!GetNamedPipeInfo(handle_, &flags, nullptr, nullptr, nullptr)) {
        TraceFailure("[BasicNamedPipe<char_t>::IsServerPipe] failed, GetLastError returned %d\n");
        return false;
    }
    return (flags & PIPE_SERVER_END) != 0;
}

template <typename char_t>
bool BasicNamedPipe<char_t>::Call(const char_t* server, const char_t* name, const void* request,
                                  DWORD requestSize, void* reply, DWORD replyCapacity,
                                  DWORD& read, DWORD timeoutMs)
{
    read = 0;
    const std::basic_string<char_t> path = PipePath(server, name);
    // What CallNamedPipe does, with a client end of our own choosing: wait
    // once for a busy pipe, switch to message reads, one transaction.
    ClientEnd pipe = OpenClientT(path.c_str());
    if (!pipe && GetLastError() == ERROR_PIPE_BUSY && WaitNamedPipeT(path.c_str(), timeoutMs))
        pipe = OpenClientT(path.c_str());
    DWORD mode = PIPE_READMODE_MESSAGE;
    // A reply longer than the buffer fails the call but still delivers its
    // first part and its length.
    if (pipe && SetNamedPipeHandleState(pipe.get(), &mode, nullptr, nullptr) &&
        TransactNamedPipe(pipe.get(), const_cast<void*>(request), requestSize, reply, replyCapacity,
                          &read, nullptr))
        return true;
    TraceFailure("[BasicNamedPipe<char_t>::Call] failed, GetLastError returned %d");
    return false;
}

template <typename char_t>
bool BasicNamedPipe<char_t>::IsServerAvailable(const char_t* server, const char_t* name,
                                               DWORD timeoutMs)
{
    const std::basic_string<char_t> path = PipePath(server, name);
    if (WaitNamedPipeT(path.c_str(), timeoutMs))
        return true;
    TraceFailure("[BasicNamedPipe<char_t>::IsServerAvailable] failed, GetLastError returned %d");
    return false;
}

template class BasicNamedPipe<char>;

} // namespace kelp
