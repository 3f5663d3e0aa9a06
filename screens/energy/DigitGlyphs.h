#pragma once
// The thirteen pictures the digit readouts are made of, read from the
// "Number" subfolder of the artwork folder: the digits 0-9, the decimal
// point shown with a value, the blank, and the point a row is built with.

#include "framework/graphics/Bitmap.h"

#include <array>
#include <string>

namespace energy {

constexpr int kGlyphCount = 13;
constexpr int kValuePoint = 10;
constexpr int kBlank = 11;
constexpr int kBuildPoint = 12;

class DigitGlyphs {
public:
    // folder ends with a backslash; a missing or unreadable picture raises
    // EPictureError naming it.
    explicit DigitGlyphs(const std::string& folder);
    DigitGlyphs(const DigitGlyphs&) = delete;
    DigitGlyphs& operator=(const DigitGlyphs&) = delete;

    const TBitmap& Glyph(int index) const { return glyphs_.at(index); }

private:
    std::array<TBitmap, kGlyphCount> glyphs_;
};

// The program's one glyph set, read from the folder on the first call.
const DigitGlyphs& SharedDigitGlyphs(const std::string& folder);

} // namespace energy
