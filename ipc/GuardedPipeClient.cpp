#include "ipc/GuardedPipeClient.h"

#include "ipc/WorkerThread.h"
#include "kelp/System/Trace.h"
#include "kelp/System/WinPipe.h"

#include <vector>

namespace kelp {
namespace {
// Everything one transaction touches. The worker thread holds its own
// reference, so a caller that stopped waiting leaves nothing dangling: the
// request is a copy, the reply buffer belongs to the transaction.
struct Transaction {
    std::string pipeName;
    std::vector<uint8_t> request;
    std::vector<uint8_t> reply;
    DWORD bytesRead = 0;
    std::shared_ptr<std::atomic<long>> requestFree;

    void Run()
    {
        // The outcome is judged by what was read: a reply longer than the
        // buffer fails the system call yet still delivers its first part.
        NamedPipeA::Call(".", pipeName.c_str(), request.data(),
                         static_cast<DWORD>(request.size()), reply.data(),
                         static_cast<DWORD>(reply.size()), bytesRead, NMPWAIT_WAIT_FOREVER);
        requestFree->exchange(1);
    }
};
} // namespace

GuardedPipeClient::GuardedPipeClient(Settings settings)
    : settings_(std::move(settings)), requestFree_(std::make_shared<std::atomic<long>>(1))
{
}

bool GuardedPipeClient::Call(const void* request, DWORD length, PipeReply& reply)
{
    reply.Clear();
    if (requestFree_->exchange(0) != 1) {
        Trace("%s", settings_.busyTrace);
        return false;
    }

    auto transaction = std::make_shared<Transaction>();
    transaction->pipeName = settings_.pipeName;
    const auto* bytes = static_cast<const uint8_t*>(request);
    transaction->request.assign(bytes, bytes + length);
    transaction->reply.resize(settings_.replyCapacity);
    transaction->requestFree = requestFree_;

    const WorkerThread worker([transaction] { transaction->Run(); });
    if (!worker.IsStarted()) {
        // No transaction is running, so the next call may try again.
        requestFree_->exchange(1);
        Trace("%s", settings_.timeoutTrace);
        return false;
    }
    if (!worker.Wait(settings_.waitMs)) {
        Trace("%s", settings_.timeoutTrace);
        return false;
    }

    // A reply shorter than the result word is never a success.
    if (transaction->bytesRead < sizeof(uint32_t))
        return false;
    reply.Assign(transaction->reply.data(), transaction->bytesRead);
    uint32_t result = 0;
    return reply.Result(result) && result == 1;
}

} // namespace kelp
