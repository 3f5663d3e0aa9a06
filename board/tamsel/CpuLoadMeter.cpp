#include "board/tamsel/CpuLoadMeter.h"

#include <windows.h>

#include <cstdint>
#include <mutex>

namespace tamsel {

namespace {
constexpr ULONGLONG kMinimumSpanMs = 200;

struct Times {
    uint64_t idle = 0;
    uint64_t total = 0; // kernel time includes idle time
};

uint64_t Ticks(const FILETIME& time)
{
    return (uint64_t(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

bool ReadTimes(Times& times)
{
    FILETIME idle, kernel, user;
    if (!GetSystemTimes(&idle, &kernel, &user))
        return false;
    times.idle = Ticks(idle);
    times.total = Ticks(kernel) + Ticks(user);
    return true;
}

std::mutex guard;
Times previous;
ULONGLONG previousTick = 0;
unsigned lastLoad = 0;
} // namespace

CpuLoadMeter& CpuLoadMeter::Instance()
{
    static CpuLoadMeter meter;
    return meter;
}

CpuLoadMeter::CpuLoadMeter()
{
    std::lock_guard lock(guard);
    ReadTimes(previous);
    previousTick = GetTickCount64();
}

unsigned CpuLoadMeter::Sample()
{
    std::lock_guard lock(guard);
    const ULONGLONG now = GetTickCount64();
    if (now - previousTick < kMinimumSpanMs)
        return lastLoad;
    Times current;
    if (!ReadTimes(current))
        return lastLoad;
    const uint64_t total = current.total - previous.total;
    const uint64_t idle = current.idle - previous.idle;
    if (total > 0 && idle <= total)
        lastLoad = unsigned((total - idle) * 100 / total);
    previous = current;
    previousTick = now;
    return lastLoad;
}

} // namespace tamsel
