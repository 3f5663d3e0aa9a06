#include "metrics/ExportSchedule.h"

#include <algorithm>

namespace metrics {

uint32_t EffectiveInterval(std::optional<uint32_t> configured)
{
    return std::max(configured.value_or(kDefaultIntervalSeconds), kMinIntervalSeconds);
}

void ExportSchedule::Restart(uint32_t intervalSeconds)
{
    interval_ = std::max(intervalSeconds, kMinIntervalSeconds);
    sinceWrite_ = 0;
    first_ = true;
}

bool ExportSchedule::Tick(double seconds)
{
    if (seconds > 0)
        sinceWrite_ += seconds;
    // Ticks of whole seconds add up exactly; a little slack keeps a
    // fractional tick length from missing its turn by a rounding error.
    constexpr double kSlack = 1e-6;
    if (!first_ && sinceWrite_ + kSlack < interval_)
        return false;
    first_ = false;
    sinceWrite_ = 0;
    return true;
}

} // namespace metrics
