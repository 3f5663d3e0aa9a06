#include "kelp/widget/layout/BlendWeights.h"

namespace kelp {

BlendWeights::BlendWeights(uint8_t opacity) : m_opacity(opacity)
{
    for (int alpha = 0; alpha < 256; ++alpha) {
        const uint16_t m = static_cast<uint16_t>(alpha * opacity);
        const uint16_t high = m / 255, low = m % 255;
        m_lanes[alpha] = Lanes{{high, high, high, 0}, {low, low, low, 0}};
    }
}

} // namespace kelp
