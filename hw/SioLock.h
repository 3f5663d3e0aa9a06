#pragma once
// The cross-process Super-I/O lock. The vendor's programs share the named
// auto-reset event "VANTOR_SIO_MUTEX", signalled while the chip's port
// pairs are free; other hardware monitors on Windows reach the same ports
// under the named mutex "Global\Access_ISABUS.HTP.Method". Each access
// sequence holds both, always taken in that order, behind a lock of this
// process's own that lets the program's exit keep its other threads out.

#include <windows.h>

#include <atomic>

namespace kelp {

class SioLock {
public:
    static constexpr DWORD kDefaultWaitMs = 10000;

    static SioLock& Instance();

    // Opens (or creates, the event signalled) both objects; other names
    // and waits serve tests.
    explicit SioLock(const char* eventName = "VANTOR_SIO_MUTEX",
                     const char* sharedMutexName = "Global\\Access_ISABUS.HTP.Method",
                     DWORD waitMs = kDefaultWaitMs);
    ~SioLock();
    SioLock(const SioLock&) = delete;
    SioLock& operator=(const SioLock&) = delete;

    // Waits up to waitMs for each object; a holder that never lets go
    // does not stop the caller, which then proceeds without it. A mutex
    // whose holder died unreleased counts as taken. Once the lock is kept
    // (below), another thread of this process waits here until the
    // process ends.
    void Lock();
    // On the thread that locked.
    void Unlock();

    // For the end of the process: waits up to waitMs until no other thread
    // of this process is inside an access sequence, then keeps the lock
    // for the calling thread, which may go on locking and unlocking; no
    // other thread of this process starts a sequence any more. The process
    // can then end without leaving the chip in the middle of one, or the
    // shared objects taken. False when a sequence did not end in time.
    bool KeepForThisThread(DWORD waitMs);

    // A sequence may wait waitMs for each of the two shared objects.
    DWORD LongestSequenceWaitMs() const { return 2 * m_waitMs; }

private:
    void LockLocal();

    HANDLE m_event;
    HANDLE m_shared;
    DWORD m_waitMs;
    // This process's own lock, taken before the shared objects.
    HANDLE m_local;
    // The thread that keeps the lock for the process's end, 0 until then.
    std::atomic<DWORD> m_keeper{0};
    // The thread that holds the shared mutex, 0 when none of ours does.
    std::atomic<DWORD> m_sharedOwner{0};
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
