#pragma once
// Runs jobs on a thread that is kept waiting between them. Starting a
// thread costs far more than handing work to one that waits (on Wine about
// twenty times a pipe transaction), so short jobs that must not run on the
// caller's thread go through here. The spare starts with the first job.
// When no job came for a while it gives back the stack its jobs used and
// keeps waiting: under Wine that leaves a few pages resident, while an
// ended thread's stack stays until another thread ends, and the first
// thread to end maps the system's unwinding library into the process. A
// job handed over while the spare is still busy gets a thread of its own,
// which ends with the job: one job that hangs never holds up the next.

#include "ipc/OwnedHandle.h"

#include <atomic>
#include <functional>
#include <memory>

namespace kelp {

class SpareThread {
public:
    // A spare kept waiting longer than idleMs without a job gives back its
    // stack.
    explicit SpareThread(DWORD idleMs = kDefaultIdleMs);
    // A waiting spare ends at once, a busy one after its job.
    ~SpareThread();
    SpareThread(const SpareThread&) = delete;
    SpareThread& operator=(const SpareThread&) = delete;

    // Starts the job; false when no thread could run it.
    bool Run(std::function<void()> job);

    // Long enough for work that comes every few seconds (the program's 5 s
    // ticks) to keep the stack it uses.
    static constexpr DWORD kDefaultIdleMs = 10000;

private:
    // Shared with the spare thread, which may outlive this object.
    struct Shared {
        OwnedHandle wake{CreateEventA(nullptr, FALSE, FALSE, nullptr)};
        // True while the spare waits and no caller has claimed it.
        std::atomic<bool> waiting{false};
        // Set once the first job has started the spare.
        std::atomic<bool> started{false};
        std::atomic<bool> closing{false};
        DWORD idleMs = 0;
        // Written by the caller that claimed the spare, before the wake.
        std::function<void()> job;
    };
    static void Serve(Shared& shared);

    std::shared_ptr<Shared> shared_;
};

} // namespace kelp
