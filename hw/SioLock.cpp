#include "hw/SioLock.h"

#include "framework/system/ProcessWide.h"

namespace kelp {
namespace {
// Other monitors may have created the mutex with rights that only allow
// opening it.
HANDLE OpenSharedMutex(const char* name)
{
    if (HANDLE mutex = CreateMutexA(nullptr, FALSE, name))
        return mutex;
    return OpenMutexA(SYNCHRONIZE | MUTEX_MODIFY_STATE, FALSE, name);
}
} // namespace

SioLock& SioLock::Instance()
{
    static ProcessWide<SioLock> lock;
    return *lock;
}

SioLock::SioLock(const char* eventName, const char* sharedMutexName, DWORD waitMs)
    : m_event(CreateEventA(nullptr, FALSE, TRUE, eventName)), m_shared(OpenSharedMutex(sharedMutexName)),
      m_waitMs(waitMs), m_local(CreateMutexA(nullptr, FALSE, nullptr))
{
}

SioLock::~SioLock()
{
    if (m_local)
        CloseHandle(m_local);
    if (m_shared)
        CloseHandle(m_shared);
    if (m_event)
        CloseHandle(m_event);
}

void SioLock::LockLocal()
{
    if (!m_local)
        return;
    const DWORD self = GetCurrentThreadId();
    for (;;) {
        // Another of our threads is in a sequence at most this long.
        const DWORD wait = WaitForSingleObject(m_local, LongestSequenceWaitMs() + m_waitMs);
        // A wait that fails cannot be waited out.
        if (wait != WAIT_TIMEOUT)
            return;
        const DWORD keeper = m_keeper.load();
        // A sequence that hangs does not stop the others for good...
        if (keeper == 0 || keeper == self)
            return;
        // ...but once the exit keeps the lock, this thread waits for the
        // process to end, which the exit brings about within its own
        // bounded steps.
    }
}

void SioLock::Lock()
{
    LockLocal();
    if (m_event) {
        WaitForSingleObject(m_event, m_waitMs);
        ResetEvent(m_event);
    }
    if (!m_shared)
        return;
    const DWORD taken = WaitForSingleObject(m_shared, m_waitMs);
    if (taken == WAIT_OBJECT_0 || taken == WAIT_ABANDONED)
        m_sharedOwner = GetCurrentThreadId();
}

void SioLock::Unlock()
{
    DWORD self = GetCurrentThreadId();
    if (m_shared && m_sharedOwner.compare_exchange_strong(self, 0))
        ReleaseMutex(m_shared);
    if (m_event)
        SetEvent(m_event);
    // Fails harmlessly when the local wait timed out and this thread does
    // not own it; the keeper goes on owning it once more than it unlocks.
    if (m_local)
        ReleaseMutex(m_local);
}

bool SioLock::KeepForThisThread(DWORD waitMs)
{
    if (!m_local)
        return false;
    const DWORD wait = WaitForSingleObject(m_local, waitMs);
    if (wait != WAIT_OBJECT_0 && wait != WAIT_ABANDONED)
        return false;
    m_keeper = GetCurrentThreadId();
    return true;
}

} // namespace kelp
