#include "screens/advancedsetting/SliderGeometry.h"

#include <algorithm>

namespace slider {

int PositionToOffset(int position, int min, int max, int length)
{
    if (max <= min || length <= 0)
        return 0;
    const double share = static_cast<double>(position - min) / (max - min);
    return std::clamp(static_cast<int>(share * length + 0.5), 0, length);
}

int OffsetToPosition(int offset, int min, int max, int length)
{
    if (max <= min || length <= 0)
        return min;
    const double share = static_cast<double>(offset) / length;
    // Rounding towards zero of a negative share would pull positions left of
    // the track onto min + 1; clamp the offset first.
    const double clampedShare = std::clamp(share, 0.0, 1.0);
    return std::clamp(min + static_cast<int>(clampedShare * (max - min) + 0.5), min, max);
}

} // namespace slider
