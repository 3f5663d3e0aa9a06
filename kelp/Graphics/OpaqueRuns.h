#pragma once
// The opaque runs of a bitmap's rows: the spans of pixels whose blue, green
// and red differ from a transparent colour's. Rows of 24 and 32 bits are
// compared sixteen pixels at a time, and a block of sixteen that only
// continues the current run or gap costs no per-pixel work.

#include "framework/graphics/Bitmap.h"

#include <windows.h>

#include <cstdint>
#include <vector>

namespace kelp {

class OpaqueRuns {
public:
    // Only the colour's low three bytes count. The bitmap is only read.
    OpaqueRuns(TBitmap& bitmap, TColor transparentColor);

    // Replaces `runs` with row y's runs, left to right, each one pixel high.
    void Scan(int y, std::vector<RECT>& runs);

private:
    // `row` is null for bitmaps whose rows cannot be read directly.
    bool IsTransparent(const uint8_t* row, int x, int y) const;

    TBitmap& m_bitmap;
    uint8_t m_key[3]; // blue, green, red
    TColor m_colour;
    const uint8_t* m_rows = nullptr; // row 0 of 24- and 32-bit bitmaps
    int m_stride = 0;
    int m_step = 0; // bytes per pixel
};

} // namespace kelp
