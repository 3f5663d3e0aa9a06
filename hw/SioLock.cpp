#include "hw/SioLock.h"

namespace kelp {
namespace {
constexpr DWORD kLockTimeoutMs = 10000;
}

SioLock& SioLock::Instance()
{
    static SioLock lock;
    return lock;
}

SioLock::SioLock(const char* name) : m_event(CreateEventA(nullptr, FALSE, TRUE, name)) {}

SioLock::~SioLock()
{
    if (m_event)
        CloseHandle(m_event);
}

void SioLock::Lock()
{
    if (!m_event)
        return;
    WaitForSingleObject(m_event, kLockTimeoutMs);
    ResetEvent(m_event);
}

void SioLock::Unlock()
{
    if (m_event)
        SetEvent(m_event);
}

} // namespace kelp
