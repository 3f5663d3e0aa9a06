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
      m_waitMs(waitMs)
{
}

SioLock::~SioLock()
{
    if (m_shared)
        CloseHandle(m_shared);
    if (m_event)
        CloseHandle(m_event);
}

void SioLock::Lock()
{
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
}

} // namespace kelp
