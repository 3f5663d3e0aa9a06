#pragma once
// Per-pixel effects on bitmaps: alpha blending of a 32-bit bitmap onto
// another and luminance (the blur itself is in BlurKernel.h).

#include "framework/graphics/Bitmap.h"
#include "kelp/widget/layout/BlurKernel.h"

#include <cstdint>

namespace kelp {

// Blends the source rectangle of the 32-bit source (alpha in the fourth byte)
// onto the destination at the point, scaled by opacity (0..255). A
// destination that is not 32 bits is switched to 24. Pixels that would fall
// outside the destination are skipped. The destination's alpha is kept.
void AlphaBlend(TBitmap& source, const RECT& rect, TBitmap& destination, POINT point, uint8_t opacity);

// trunc(0.299 R + 0.587 G + 0.114 B + 0.5) per pixel.
IntMatrix ToLuminance(TBitmap& bitmap);

} // namespace kelp
