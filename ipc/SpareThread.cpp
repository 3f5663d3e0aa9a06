#include "ipc/SpareThread.h"

#include "ipc/WorkerThread.h"

namespace kelp {

SpareThread::SpareThread() : shared_(std::make_shared<Shared>())
{
    if (shared_->wake.IsValid())
        WorkerThread([shared = shared_] { Serve(*shared); });
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
        WaitForSingleObject(shared.wake.Get(), INFINITE);
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
    return WorkerThread(std::move(job)).IsStarted();
}

} // namespace kelp
