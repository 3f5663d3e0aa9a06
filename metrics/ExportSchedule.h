#pragma once
// When the metrics file is written: on the program's energy tick, at the
// first tick after the file was named (so that it appears soon), then once
// the interval has passed. Scrapers read the file far less often than the
// tick comes; intervals below kMinIntervalSeconds are raised to it, and an
// interval that is no multiple of the tick is kept at the first tick after
// it has passed. Plain C++.

#include <cstdint>
#include <optional>

namespace metrics {

constexpr uint32_t kMinIntervalSeconds = 15;
// When the policy names a file but no interval.
constexpr uint32_t kDefaultIntervalSeconds = 60;

uint32_t EffectiveInterval(std::optional<uint32_t> configured);

class ExportSchedule {
public:
    explicit ExportSchedule(uint32_t intervalSeconds = kDefaultIntervalSeconds) { Restart(intervalSeconds); }

    // A new interval; the next tick writes.
    void Restart(uint32_t intervalSeconds);
    // One tick of `seconds`; true when the file is due now.
    bool Tick(double seconds);
    uint32_t Interval() const { return interval_; }

private:
    uint32_t interval_ = kDefaultIntervalSeconds;
    double sinceWrite_ = 0;
    bool first_ = true;
};

} // namespace metrics
