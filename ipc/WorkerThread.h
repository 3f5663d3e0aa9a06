#pragma once
// A Win32 thread running one function. The object owns only the thread's
// handle: destroying it does not stop or wait for the thread, which ends on
// its own when the function returns (and frees the function then).

#include "ipc/OwnedHandle.h"

#include <functional>

namespace kelp {

class WorkerThread {
public:
    // Starts the thread at once; IsStarted() is false when it could not be created.
    explicit WorkerThread(std::function<void()> body);

    bool IsStarted() const { return handle_.IsValid(); }
    // True when the thread has ended within the time-out.
    bool Wait(DWORD timeoutMs) const;

private:
    OwnedHandle handle_;
};

} // namespace kelp
