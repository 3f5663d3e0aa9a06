#include "board/core/CpuLoadMeter.h"

namespace vboard {

namespace {
constexpr ULONGLONG kMinimumSpanMs = 200;

uint64_t Ticks(const FILETIME& time)
{
    return (uint64_t(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}
} // namespace

CpuLoadMeter& CpuLoadMeter::Instance()
{
    static CpuLoadMeter meter;
    return meter;
}

bool CpuLoadMeter::ReadTimes(Times& times)
{
    FILETIME idle, kernel, user;
    if (!GetSystemTimes(&idle, &kernel, &user))
        return false;
    times.idle = Ticks(idle);
    times.total = Ticks(kernel) + Ticks(user);
    return true;
}

unsigned CpuLoadMeter::Sample()
{
    std::lock_guard guard(lock_);
    const ULONGLONG now = GetTickCount64();
    if (now - previousTick_ < kMinimumSpanMs)
        return lastLoad_;
    Times current;
    if (!ReadTimes(current))
        return lastLoad_;
    const uint64_t total = current.total - previous_.total;
    const uint64_t idle = current.idle - previous_.idle;
    if (total > 0 && idle <= total)
        lastLoad_ = unsigned((total - idle) * 100 / total);
    previous_ = current;
    previousTick_ = now;
    return lastLoad_;
}

} // namespace vboard
