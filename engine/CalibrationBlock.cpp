#include "engine/CalibrationBlock.h"

#include <algorithm>

uint32_t BlockValue(std::vector<uint32_t> samples)
{
    const size_t n = samples.size();
    if (n == 0)
        return 1;
    std::sort(samples.begin(), samples.end());
    // Idle and loaded blocks use the same range, the upper-middle quarter.
    // Idle readings only ever stray upwards (other work on the machine), so
    // a typical idle figure sits there, and the thresholds built a few
    // amperes above it stay clear of ordinary idle noise.
    const size_t first = n / 2;
    const size_t last = std::max(first + 1, 3 * n / 4);
    uint64_t sum = 0;
    for (size_t i = first; i < last; ++i)
        sum += samples[i];
    const uint32_t mean = uint32_t(sum / (last - first));
    return mean ? mean : 1;
}
