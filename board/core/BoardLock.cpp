#include "board/core/BoardLock.h"

#include "board/core/Checksum.h"
#include "kelp/System/Trace.h"

#include <cctype>
#include <cstdio>

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
} // namespace

BoardLock::BoardLock(const std::string& statePath)
    : mutex_(CreateMutexA(nullptr, FALSE, MutexName(statePath).c_str()))
{
    if (!mutex_) {
        kelp::Trace("~~~[VirtualBoard] cannot create the board lock (%lu)", GetLastError());
        return;
    }
    DWORD result = WaitForSingleObject(mutex_.Get(), kLockTimeoutMs);
    held_ = result == WAIT_OBJECT_0 || result == WAIT_ABANDONED;
    if (!held_)
        kelp::Trace("~~~[VirtualBoard] board lock not taken within %lu ms", kLockTimeoutMs);
}

BoardLock::~BoardLock()
{
    if (held_)
        ReleaseMutex(mutex_.Get());
}

} // namespace vboard
