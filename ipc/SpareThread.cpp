#include "ipc/SpareThread.h"

#include "framework/system/ThreadStack.h"
#include "ipc/WorkerThread.h"

namespace kelp {

SpareThread::SpareThread(DWORD idleMs) : shared_(std::make_shared<Shared>())
{
    shared_->idleMs = idleMs;
}

SpareThread::~SpareThread()
{
    shared_->closing = true;
    SetEvent(shared_->wake.Get());
}

void SpareThread::Serve(Shared& shared)
{
    for (;;) {
        shared.waiting = true;
        if (WaitForSingleObject(shared.wake.Get(), shared.idleMs) == WAIT_TIMEOUT) {
            // Idle for a while: the stack the jobs grew is given back, and
            // the spare waits on for the next job.
            ReleaseUnusedStack();
            WaitForSingleObject(shared.wake.Get(), INFINITE);
        }
        if (shared.closing)
            return;
        const std::function<void()> job = std::move(shared.job);
        shared.job = nullptr;
        job();
    }
}

bool SpareThread::Run(std::function<void()> job)
{
    // Only the caller whose exchange found the spare waiting hands it work.
    if (shared_->waiting.exchange(false)) {
        shared_->job = std::move(job);
        return SetEvent(shared_->wake.Get()) != 0;
    }
    // The first job starts the spare and runs on it, so first use costs one
    // thread, not a spare that is still starting plus one for the job.
    if (shared_->wake.IsValid() && !shared_->started.exchange(true)) {
        const WorkerThread spare([shared = shared_, first = std::move(job)]() mutable {
            first();
            first = nullptr;
            Serve(*shared);
        });
        if (spare.IsStarted())
            return true;
        shared_->started = false;
        return false;
    }
    return WorkerThread(std::move(job)).IsStarted();
}

} // namespace kelp
