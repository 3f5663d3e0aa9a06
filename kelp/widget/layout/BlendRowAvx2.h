#pragma once
// The row blend onto four-byte destinations eight pixels at a time with
// AVX2, for processors that have it (see BlendRow.h for the blend itself).

#include "kelp/widget/layout/BlendWeights.h"

#include <cstdint>

namespace kelp {

// Whether the processor and the system run AVX2 code.
bool Avx2Available();

// Blends whole groups of eight pixels from the start of the row and returns
// how many pixels it did; the caller does the rest. Needs Avx2Available().
int BlendRowEights(const uint8_t* source, uint8_t* destination, int pixels, const BlendWeights& weights);

} // namespace kelp
