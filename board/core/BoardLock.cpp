#include "board/core/BoardLock.h"

#include "board/core/Checksum.h"
#include "board/core/Handle.h"
#include "framework/system/Trace.h"

#include <cctype>
#include <cstdio>
#include <map>
#include <mutex>

namespace vboard {
namespace {
constexpr DWORD kLockTimeoutMs = 30000;

std::string MutexName(const std::string& statePath)
{
    char full[MAX_PATH * 2];
    DWORD length = GetFullPathNameA(statePath.c_str(), sizeof full, full, nullptr);
    std::string key = length > 0 && length < sizeof full ? std::string(full, length) : statePath;
    for (char& c : key)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    char name[64];
    std::snprintf(name, sizeof name, "VantorVirtualBoard.%08X", static_cast<unsigned>(Crc32(key)));
    return name;
}
// The named mutex of a state file, opened on the first lock and kept open
// for the life of the process: the board is locked on every access, and
// creating the mutex each time doubled the kernel calls of a lock. Null when
// it cannot be created (tried again on the next lock).
HANDLE SharedMutex(const std::string& statePath)
{
    static std::mutex guard;
    static std::map<std::string, Handle> mutexes;
    std::lock_guard<std::mutex> hold(guard);
    Handle& mutex = mutexes[statePath];
    if (!mutex)
        mutex = Handle(CreateMutexA(nullptr, FALSE, MutexName(statePath).c_str()));
    return mutex.Get();
}
} // namespace

BoardLock::BoardLock(const std::string& statePath) : mutex_(SharedMutex(statePath))
{
    if (!mutex_) {
        Trace("~~~[VirtualBoard] cannot create the board lock (%lu)", GetLastError());
        return;
    }
    DWORD result = WaitForSingleObject(mutex_, kLockTimeoutMs);
    held_ = result == WAIT_OBJECT_0 || result == WAIT_ABANDONED;
    if (!held_)
        Trace("~~~[VirtualBoard] board lock not taken within %lu ms", kLockTimeoutMs);
}

BoardLock::~BoardLock()
{
    if (held_)
        ReleaseMutex(mutex_);
}

} // namespace vboard
