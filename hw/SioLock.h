#pragma once
// The cross-process Super-I/O lock: the named auto-reset event
// "VANTOR_SIO_MUTEX", signalled while the chip's port pairs are free. The
// vendor's other programs take the same event.

#include <windows.h>

namespace kelp {

class SioLock {
public:
    static SioLock& Instance();

    // Opens (or creates, signalled) the event; other names serve tests.
    explicit SioLock(const char* name = "VANTOR_SIO_MUTEX");
    ~SioLock();
    SioLock(const SioLock&) = delete;
    SioLock& operator=(const SioLock&) = delete;

    // Waits up to 10 s; a holder that never lets go does not stop the
    // caller, which then proceeds without the lock.
    void Lock();
    void Unlock();

private:
    HANDLE m_event;
};

// Holds the lock for its lifetime.
class SioLockScope {
public:
    explicit SioLockScope(SioLock& lock) : m_lock(lock) { m_lock.Lock(); }
    ~SioLockScope() { m_lock.Unlock(); }
    SioLockScope(const SioLockScope&) = delete;
    SioLockScope& operator=(const SioLockScope&) = delete;

private:
    SioLock& m_lock;
};

} // namespace kelp
