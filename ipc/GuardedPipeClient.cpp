#include "ipc/GuardedPipeClient.h"

#include "framework/system/Trace.h"
#include "kelp/System/WinPipe.h"

#include <vector>

namespace kelp {
namespace {
// Everything one transaction touches. The worker holds its own reference,
// so a caller that stopped waiting leaves nothing dangling: the request is
// a copy, the reply buffer belongs to the transaction.
struct Transaction {
    std::string pipeName;
    std::vector<uint8_t> request;
    std::vector<uint8_t> reply;
    DWORD bytesRead = 0;
    std::shared_ptr<GuardedPipeClient::Progress> progress;

    void Run()
    {
        // The outcome is judged by what was read: a reply longer than the
        // buffer fails the system call yet still delivers its first part.
        NamedPipeA::Call(".", pipeName.c_str(), request.data(),
                         static_cast<DWORD>(request.size()), reply.data(),
                         static_cast<DWORD>(reply.size()), bytesRead, NMPWAIT_WAIT_FOREVER);
        // A caller that gave up left the request-free word to us; one that
        // still waits reads the reply first and frees the word itself.
        if (progress->stage.exchange(GuardedPipeClient::Progress::Finished) == GuardedPipeClient::Progress::Abandoned)
            progress->requestFree.exchange(1);
        else
            SetEvent(progress->finished.Get());
    }
};
} // namespace

GuardedPipeClient::GuardedPipeClient(Settings settings)
    : settings_(std::move(settings)), progress_(std::make_shared<Progress>())
{
}

bool GuardedPipeClient::Call(const void* request, DWORD length, PipeReply& reply)
{
    reply.Clear();
    if (progress_->requestFree.exchange(0) != 1) {
        Trace("%s", settings_.busyTrace);
        return false;
    }

    auto transaction = std::make_shared<Transaction>();
    transaction->pipeName = settings_.pipeName;
    const auto* bytes = static_cast<const uint8_t*>(request);
    transaction->request.assign(bytes, bytes + length);
    transaction->reply.resize(settings_.replyCapacity);
    transaction->progress = progress_;

    progress_->stage = Progress::Running;
    if (!progress_->finished.IsValid() || !worker_.Run([transaction] { transaction->Run(); })) {
        // No transaction is running, so the next call may try again.
        progress_->requestFree.exchange(1);
        Trace("%s", settings_.timeoutTrace);
        return false;
    }
    if (!WaitForTransaction()) {
        Trace("%s", settings_.timeoutTrace);
        return false;
    }

    // A reply shorter than the result word is never a success.
    uint32_t result = 0;
    if (transaction->bytesRead >= sizeof(uint32_t)) {
        reply.Assign(transaction->reply.data(), transaction->bytesRead);
        reply.Result(result);
    }
    progress_->requestFree.exchange(1);
    return result == 1;
}

bool GuardedPipeClient::WaitForTransaction()
{
    const HANDLE finished = progress_->finished.Get();
    if (WaitForSingleObject(finished, settings_.waitMs) == WAIT_OBJECT_0)
        return true;
    // Giving up hands the request-free word to the transaction, unless it
    // finished at the deadline: then its signal is on its way and must be
    // taken, or it would end the next call's wait before its time.
    if (progress_->stage.exchange(Progress::Abandoned) != Progress::Finished)
        return false;
    WaitForSingleObject(finished, INFINITE);
    return true;
}

} // namespace kelp
