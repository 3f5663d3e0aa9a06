// Exports of Strainel.dll. Results are non-zero for success.
//
//   StartCalibrateWithPrimary(level)   a moderate load: one worker per
//       logical processor, each busy level / (level + 1) of every 20 ms
//       (level 1: half the machine); level 1..9
//   StartCalibrateWithCpuBurn(threads) the full load: `threads` workers
//       (at most 64) that never rest
//   StopCalibrate()                    ends any load, returning once every
//       worker has finished
//
// Starting a load ends the one running before.

#include "board/strainel/LoadGenerator.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>

namespace {
constexpr DWORD kPrimaryPeriodMs = 20;
constexpr int32_t kMaxPrimaryLevel = 9;

unsigned LogicalProcessors()
{
    SYSTEM_INFO system{};
    GetSystemInfo(&system);
    return system.dwNumberOfProcessors ? system.dwNumberOfProcessors : 1;
}
} // namespace

extern "C" {

int32_t __stdcall StartCalibrateWithPrimary(int32_t level)
{
    auto& generator = strainel::LoadGenerator::Instance();
    if (level < 1 || level > kMaxPrimaryLevel) {
        generator.Stop();
        return 0;
    }
    const DWORD busy = kPrimaryPeriodMs * DWORD(level) / DWORD(level + 1);
    const unsigned threads = std::min(LogicalProcessors(), strainel::LoadGenerator::kMaxThreads);
    return generator.Start(threads, busy, kPrimaryPeriodMs) ? 1 : 0;
}

int32_t __stdcall StartCalibrateWithCpuBurn(int32_t threads)
{
    auto& generator = strainel::LoadGenerator::Instance();
    if (threads < 1) {
        generator.Stop();
        return 0;
    }
    return generator.Start(std::min(unsigned(threads), strainel::LoadGenerator::kMaxThreads), 1, 1) ? 1 : 0;
}

int32_t __stdcall StopCalibrate()
{
    strainel::LoadGenerator::Instance().Stop();
    return 1;
}

} // extern "C"
