#pragma once
// A region made of many rectangles, built fast. Creating a region from a
// long rectangle list in one call merges the rectangles one at a time (on
// Wine each merge copies the whole region so far); small pieces merged
// pairwise cost far less for the same region.

#include <windows.h>

#include <vector>

namespace kelp {

// The union of the rectangles, which lie inside bounds; a new region the
// caller owns, or null when the system could not make one.
HRGN RegionFromRects(const std::vector<RECT>& rects, const RECT& bounds);

} // namespace kelp
