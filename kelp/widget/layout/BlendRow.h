#pragma once
// One row of an alpha blend: 32-bit source pixels (alpha in the fourth
// byte) onto destination pixels of 3 or 4 bytes, scaled by the weights'
// opacity. With w = alpha × opacity, each of blue, green and red becomes
//   floor((destination × (65025 − w) + source × w) / 65025),
// the exact value of destination × (1 − α) + source × α for
// α = alpha / 255 × opacity / 255, in integers only. The destination's
// fourth byte is kept.

#include "kelp/widget/layout/BlendWeights.h"

#include <cstdint>

namespace kelp {

// Eight pixels at a time where the processor has AVX2.
void BlendRow(const uint8_t* source, uint8_t* destination, int pixels, int destinationStep, const BlendWeights& weights);

// The same with SSE2 alone, which every processor this program runs on has:
// what BlendRow does without AVX2.
void BlendRowSse2(const uint8_t* source, uint8_t* destination, int pixels, int destinationStep,
                  const BlendWeights& weights);

} // namespace kelp
