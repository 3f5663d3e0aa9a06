#pragma once
// An owned GDI region with the operations the skinned windows need, and the
// conversion of a bitmap with a transparent colour into the region of its
// opaque pixels.

#include "framework/graphics/Bitmap.h"

#include <windows.h>

namespace kelp {

class WinRegion {
public:
    // An empty rectangular region (0, 0, 0, 0).
    WinRegion();
    // The opaque pixels of the bitmap (see SetToBitmap).
    WinRegion(TBitmap& bitmap, TColor transparentColor);
    ~WinRegion();
    WinRegion(const WinRegion&) = delete;
    WinRegion& operator=(const WinRegion&) = delete;

    HRGN Handle() const { return m_hrgn; }

    void SetRect(int left, int top, int right, int bottom);
    // CombineRgn with RGN_DIFF, RGN_COPY, ...
    static void Combine(HRGN destination, HRGN source1, HRGN source2, int mode);
    void Subtract(const WinRegion& other);
    // A new region with the same area; the caller owns it.
    HRGN Clone() const;
    void Offset(int dx, int dy);
    // Every pixel whose blue, green and red differ from the colour's low
    // three bytes, built from the opaque runs of each row (see
    // RegionFromRects). The bitmap is only read, never converted.
    void SetToBitmap(TBitmap& bitmap, TColor transparentColor);

    // The process-wide empty region.
    static const WinRegion& EmptyRegion();

private:
    void Adopt(HRGN hrgn);

    HRGN m_hrgn = nullptr;
};

} // namespace kelp
