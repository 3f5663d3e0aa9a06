#include "ipc/WorkerThread.h"

#include "framework/system/ThreadStack.h"

#include <memory>

namespace kelp {
namespace {
DWORD WINAPI RunBody(void* parameter)
{
    // The thread takes over the function from the starter.
    std::unique_ptr<std::function<void()>> body(static_cast<std::function<void()>*>(parameter));
    // The pipe server and the spare wait for most of their lives.
    ReleaseUnusedStack();
    (*body)();
    return 0;
}
} // namespace

WorkerThread::WorkerThread(std::function<void()> body)
{
    auto owned = std::make_unique<std::function<void()>>(std::move(body));
    handle_.Reset(CreateThread(nullptr, 0, &RunBody, owned.get(), 0, nullptr));
    if (handle_.IsValid())
        owned.release();
}

bool WorkerThread::Wait(DWORD timeoutMs) const
{
    return handle_.IsValid() && WaitForSingleObject(handle_.Get(), timeoutMs) == WAIT_OBJECT_0;
}

} // namespace kelp
