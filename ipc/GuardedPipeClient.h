#pragma once
// A client that runs each request/reply transaction with a pipe server on a
// worker thread (a spare one kept waiting, see SpareThread) and waits for it
// with a time-out, so a hung server costs the caller at most that time. A request-free word, changed
// only by atomic exchange, keeps a single transaction in flight: while one
// is still running (also after its caller gave up waiting), further calls
// fail at once.

#include "ipc/OwnedHandle.h"
#include "ipc/PipeReply.h"
#include "ipc/SpareThread.h"

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

    // Where a transaction stands; shared with it, since it may outlive its
    // caller (and this client).
    struct Progress {
        enum Stage : long { Running, Finished, Abandoned };
        std::atomic<long> requestFree{1};
        std::atomic<long> stage{Finished};
        // Set when a transaction finishes while its caller still waits.
        OwnedHandle finished{CreateEventA(nullptr, FALSE, FALSE, nullptr)};
    };

private:
    bool WaitForTransaction();

    Settings settings_;
    std::shared_ptr<Progress> progress_;
    SpareThread worker_;
};

} // namespace kelp
