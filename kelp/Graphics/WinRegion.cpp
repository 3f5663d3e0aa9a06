#include "kelp/Graphics/WinRegion.h"

#include "kelp/Graphics/OpaqueRuns.h"
#include "kelp/Graphics/RegionFromRects.h"
#include "kelp/System/Assert.h"

#include <algorithm>
#include <vector>

namespace kelp {

namespace {

const char* const kSource = "kelp\\Graphics\\Source\\WinRegion";
const char* const kHeader = "KELP\\GRAPHICS\\WINREGION";

HRGN CheckedRegion(HRGN hrgn)
{
    KELP_ASSERT(hrgn != NULL, kHeader, 61);
    return hrgn;
}

} // namespace

WinRegion::WinRegion() : m_hrgn(CheckedRegion(CreateRectRgn(0, 0, 0, 0))) {}

WinRegion::WinRegion(TBitmap& bitmap, TColor transparentColor) : WinRegion()
{
    SetToBitmap(bitmap, transparentColor);
}

WinRegion::~WinRegion()
{
    DeleteObject(m_hrgn);
}

const WinRegion& WinRegion::EmptyRegion()
{
    static const WinRegion empty;
    return empty;
}

void WinRegion::Adopt(HRGN hrgn)
{
    CheckedRegion(hrgn);
    DeleteObject(m_hrgn);
    m_hrgn = hrgn;
}

void WinRegion::SetRect(int left, int top, int right, int bottom)
{
    BOOL result = SetRectRgn(m_hrgn, left, top, right, bottom);
    KELP_ASSERT(result != 0, kSource, 88);
}

void WinRegion::Combine(HRGN destination, HRGN source1, HRGN source2, int mode)
{
    int combineResult = CombineRgn(destination, source1, source2, mode);
    KELP_ASSERT(combineResult != ERROR, kSource, 97);
}

void WinRegion::Subtract(const WinRegion& other)
{
    Combine(m_hrgn, m_hrgn, other.m_hrgn, RGN_DIFF);
}

HRGN WinRegion::Clone() const
{
    HRGN copy = CheckedRegion(CreateRectRgn(0, 0, 0, 0));
    Combine(copy, m_hrgn, nullptr, RGN_COPY);
    return copy;
}

void WinRegion::Offset(int dx, int dy)
{
    int result = OffsetRgn(m_hrgn, dx, dy);
    KELP_ASSERT(result != ERROR, kSource, 118);
}

void WinRegion::SetToBitmap(TBitmap& bitmap, TColor transparentColor)
{
    const int width = bitmap.Width(), height = bitmap.Height();
    // Opaque runs of each row; a row whose runs equal the previous row's
    // extends those rectangles downwards instead, so the region call gets
    // the bands already merged.
    std::vector<RECT> runs, row;
    size_t previousStart = 0;
    if (!bitmap.Empty()) {
        OpaqueRuns reader(bitmap, transparentColor);
        for (int y = 0; y < height; ++y) {
            reader.Scan(y, row);
            const size_t previousCount = runs.size() - previousStart;
            bool sameAsPrevious = y > 0 && !row.empty() && previousCount == row.size() &&
                                  runs[previousStart].bottom == y &&
                                  std::equal(row.begin(), row.end(), runs.begin() + previousStart,
                                             [](const RECT& a, const RECT& b) { return a.left == b.left && a.right == b.right; });
            if (sameAsPrevious) {
                for (size_t i = previousStart; i < runs.size(); ++i)
                    runs[i].bottom = y + 1;
            } else if (!row.empty()) {
                previousStart = runs.size();
                runs.insert(runs.end(), row.begin(), row.end());
            }
        }
    }
    Adopt(RegionFromRects(runs, RECT{0, 0, width, height}));
}

} // namespace kelp
