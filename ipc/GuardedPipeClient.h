#pragma once
// A client that runs each request/reply transaction with a pipe server on a
// worker thread of its own and waits for it with a time-out, so a hung
// server costs the caller at most that time. A request-free word, changed
// only by atomic exchange, keeps a single transaction in flight: while one
// is still running (also after its caller gave up waiting), further calls
// fail at once.

#include "ipc/PipeReply.h"

#include <atomic>
#include <memory>
#include <string>

#include <windows.h>

namespace kelp {

class GuardedPipeClient {
public:
    struct Settings {
        std::string pipeName;
        DWORD replyCapacity;
        DWORD waitMs;
        const char* busyTrace;     // a previous transaction is still running
        const char* timeoutTrace;  // the wait for the transaction failed or timed out
    };

    explicit GuardedPipeClient(Settings settings);
    GuardedPipeClient(const GuardedPipeClient&) = delete;
    GuardedPipeClient& operator=(const GuardedPipeClient&) = delete;

    // Sends the request and succeeds when a reply arrived whose result word
    // is 1; the reply (at most replyCapacity bytes) is stored in `reply`.
    bool Call(const void* request, DWORD length, PipeReply& reply);

private:
    Settings settings_;
    // Shared with running transactions, which may outlive their caller.
    std::shared_ptr<std::atomic<long>> requestFree_;
};

} // namespace kelp
