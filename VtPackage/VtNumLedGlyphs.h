#pragma once
// The glyphs of the numeric LED display: seven-segment digits, the decimal
// point, the degree sign, the letter C and the RPM unit, each a glyph
// stream in design units with the table of which segments each state lights.

#include "kelp/Component/LED.h"

#include <span>

namespace kelp {

struct VtNumLedGlyph {
    std::span<const int> stream;
    const LEDStateTable& states;
};

// The glyph a format character stands for, or null when the character is
// not one.
const VtNumLedGlyph* FindNumLedGlyph(char formatChar);

} // namespace kelp
