#pragma once
// The machine's processor load as the board senses it: the share of busy
// processor time between two samples, taken from the system's cumulative
// idle, kernel and user times. The first sample of a process covers the
// time since the machine started, so a reader that looks only once still
// sees a real load. Thread-safe.

#include <windows.h>

#include <cstdint>
#include <mutex>

namespace vboard {

class CpuLoadMeter {
public:
    static CpuLoadMeter& Instance();

    // Percent busy (0-100) since the previous call; samples closer than
    // 200 ms apart repeat the previous figure.
    unsigned Sample();

private:
    struct Times {
        uint64_t idle = 0;
        uint64_t total = 0; // kernel time includes idle time
    };
    static bool ReadTimes(Times& times);

    CpuLoadMeter() = default;

    std::mutex lock_;
    Times previous_;
    ULONGLONG previousTick_ = 0;
    unsigned lastLoad_ = 0;
};

} // namespace vboard
