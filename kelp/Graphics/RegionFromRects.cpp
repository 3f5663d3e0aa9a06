#include "kelp/Graphics/RegionFromRects.h"

#include "framework/graphics/GdiHandle.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace kelp {
namespace {

constexpr size_t kPieceRects = 16;

// `data` is reused from piece to piece.
HRGN RegionOf(const RECT* rects, size_t count, const RECT& bounds, std::vector<uint8_t>& data)
{
    data.resize(sizeof(RGNDATAHEADER) + count * sizeof(RECT));
    RGNDATAHEADER header{};
    header.dwSize = sizeof(RGNDATAHEADER);
    header.iType = RDH_RECTANGLES;
    header.nCount = static_cast<DWORD>(count);
    header.nRgnSize = static_cast<DWORD>(count * sizeof(RECT));
    header.rcBound = bounds;
    std::memcpy(data.data(), &header, sizeof(header));
    std::memcpy(data.data() + sizeof(header), rects, count * sizeof(RECT));
    return ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()), reinterpret_cast<const RGNDATA*>(data.data()));
}

} // namespace

HRGN RegionFromRects(const std::vector<RECT>& rects, const RECT& bounds)
{
    if (rects.empty())
        return CreateRectRgn(0, 0, 0, 0);
    std::vector<TGdiObject> pieces;
    pieces.reserve((rects.size() + kPieceRects - 1) / kPieceRects);
    std::vector<uint8_t> data;
    for (size_t first = 0; first < rects.size(); first += kPieceRects) {
        pieces.emplace_back(RegionOf(rects.data() + first, std::min(kPieceRects, rects.size() - first), bounds, data));
        if (!pieces.back())
            return nullptr;
    }
    // Neighbours merged in rounds: every rectangle takes part in about
    // log2(pieces) merges instead of one merge per rectangle before it.
    while (pieces.size() > 1) {
        size_t kept = 0;
        for (size_t i = 0; i < pieces.size(); i += 2, ++kept) {
            if (i + 1 < pieces.size()) {
                const HRGN into = static_cast<HRGN>(pieces[i].Get());
                if (CombineRgn(into, into, static_cast<HRGN>(pieces[i + 1].Get()), RGN_OR) == ERROR)
                    return nullptr;
            }
            pieces[kept] = std::move(pieces[i]);
        }
        pieces.resize(kept);
    }
    return static_cast<HRGN>(pieces.front().Release());
}

} // namespace kelp
