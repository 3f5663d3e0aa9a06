#pragma once
// The weights of an alpha blend at one opacity, worked out once per blend
// for every source alpha. With m = alpha × opacity written as
// 255 × high + low (low < 255), a channel's exact blend
//   floor((destination × (65025 − m) + source × m) / 65025)
// needs only 16-bit arithmetic (see BlendRow.cpp). A table lookup per pixel
// is cheaper there than working high and low out of the alpha with vector
// multiplies and shuffles.

#include <array>
#include <cstdint>

namespace kelp {

class BlendWeights {
public:
    // 16-bit lanes per alpha in the table, one 16-byte entry each.
    static constexpr int kLanesPerAlpha = 8;

    explicit BlendWeights(uint8_t opacity);

    uint8_t Opacity() const { return m_opacity; }
    // Eight 16-bit lanes: high in the three colour lanes and 0 in the alpha
    // lane, then low the same way. The zero weight of the alpha lane keeps
    // the destination's alpha.
    const uint16_t* Of(uint8_t alpha) const { return m_lanes[alpha].high; }
    // The entries of every alpha in turn, kLanesPerAlpha lanes each.
    const uint16_t* Table() const { return Of(0); }

private:
    // Aligned where the compiler aligns the stack, which keeps each entry
    // within one cache line.
    struct alignas(16) Lanes {
        uint16_t high[4];
        uint16_t low[4];
    };
    static_assert(sizeof(Lanes) == kLanesPerAlpha * sizeof(uint16_t));
    std::array<Lanes, 256> m_lanes;
    uint8_t m_opacity;
};

} // namespace kelp
