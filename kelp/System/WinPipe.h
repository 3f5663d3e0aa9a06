#pragma once
// Message-oriented named pipes. A server creates a pipe through an instance
// and serves one client at a time; clients use the static operations, which
// need no instance. Every failed system call is traced together with its
// error code, which stays available through GetLastError afterwards; nothing
// throws.

#include <windows.h>

#include <string>

// Keeps clients of other machines out; older headers lack the flag.
#ifndef PIPE_REJECT_REMOTE_CLIENTS
#define PIPE_REJECT_REMOTE_CLIENTS 0x00000008
#endif

namespace kelp {

template <typename char_t>
class BasicNamedPipe {
public:
    // Outcome of waiting for an overlapped operation to finish.
    enum class Completion { Done, MoreData, Failed, TimedOut, Aborted };

    BasicNamedPipe() = default;
    ~BasicNamedPipe();
    BasicNamedPipe(const BasicNamedPipe&) = delete;
    BasicNamedPipe& operator=(const BasicNamedPipe&) = delete;

    // Creates "\\.\PIPE\<name>".
    bool Create(const char_t* name, DWORD openMode, DWORD pipeMode, DWORD maxInstances,
                DWORD outBufferSize, DWORD inBufferSize, DWORD defaultTimeoutMs,
                SECURITY_ATTRIBUTES* security);
    bool Close();
    bool IsOpen() const { return handle_ != INVALID_HANDLE_VALUE; }
    bool Flush();

    // With an overlapped structure (pipe created with FILE_FLAG_OVERLAPPED),
    // ConnectClient, Read and Write return true once the operation has been
    // started, and Await collects its outcome; this includes a client that
    // connected before ConnectClient and a message longer than the buffer.
    bool ConnectClient(OVERLAPPED* overlapped);
    bool DisconnectClient();
    bool Write(const void* buffer, DWORD size, DWORD& written, OVERLAPPED* overlapped);
    bool Read(void* buffer, DWORD size, DWORD& read, OVERLAPPED* overlapped);

    // Waits up to timeoutMs for a pending overlapped operation, or until
    // abortEvent (may be null) is signalled. A timed-out or aborted
    // operation is cancelled before returning, so its buffers are free.
    Completion Await(OVERLAPPED& overlapped, DWORD& transferred, DWORD timeoutMs,
                     HANDLE abortEvent);

    // After a reply: waits until the client has closed its end (it has read
    // the reply then), so disconnecting loses nothing. Unlike Flush this
    // gives up after the time-out, or when abortEvent is signalled, and it
    // traces nothing: the client leaving is the expected outcome.
    bool AwaitClientGone(OVERLAPPED& overlapped, DWORD timeoutMs, HANDLE abortEvent);

    bool IsServerPipe();

    // One request/reply transaction with "\\<server>\PIPE\<name>"; waits up to
    // timeoutMs once when every instance is busy. The server may identify
    // the caller but never act with its rights.
    static bool Call(const char_t* server, const char_t* name, const void* request,
                     DWORD requestSize, void* reply, DWORD replyCapacity, DWORD& read,
                     DWORD timeoutMs);
    // True when an instance of the pipe is free within the time-out.
    static bool IsServerAvailable(const char_t* server, const char_t* name, DWORD timeoutMs);

private:
    HANDLE handle_ = INVALID_HANDLE_VALUE;
};

using NamedPipeA = BasicNamedPipe<char>;

extern template class BasicNamedPipe<char>;

} // namespace kelp
