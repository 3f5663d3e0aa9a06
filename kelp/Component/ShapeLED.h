#pragma once
// Glyph streams: a compact integer description of an LED glyph. Layout:
// segment count; the cell as left, top, right, bottom; then per segment a
// shape code and its data:
//   0 polygon            n, then n x/y pairs
//   1 rectangle          left, top, right, bottom
//   2 ellipse            left, top, right, bottom of its bounding box
//   3 rounded rectangle  left, top, right, bottom, corner width, corner height
//   4 circle             left, top, diameter
//   5 square             left, top, side
// An unknown code or a stream that ends early stops the program.

#include "kelp/Graphics/Shape.h"

#include <memory>
#include <span>
#include <vector>

namespace kelp {

struct Glyph {
    RECT cell;
    std::vector<std::unique_ptr<Shape>> shapes;
};

Glyph ReadGlyph(std::span<const int> stream, SimplePainter* painter);

} // namespace kelp
