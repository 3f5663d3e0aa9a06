#pragma once
// The row blend onto four-byte destinations eight pixels at a time with
// AVX2, for processors that have it (see BlendRow.h for the blend itself).
// This is the only code built for AVX2, so it is called only after the
// processor check in BlendRow.cpp and takes the weights as their bare table:
// an inline function of a shared header used here could be emitted with
// AVX2 instructions and picked by the linker for the whole program.

#include <cstdint>

namespace kelp {

// Blends whole groups of eight pixels from the start of the row and returns
// how many pixels it did; the caller does the rest. `weights` is
// BlendWeights::Table() and `fullOpacity` whether its opacity is 255.
int BlendRowEights(const uint8_t* source, uint8_t* destination, int pixels, const uint16_t* weights, bool fullOpacity);

} // namespace kelp
