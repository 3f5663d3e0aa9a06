#include "screens/energy/DigitGlyphs.h"

#include <cstdio>

namespace energy {

namespace {
// Magenta, the colour left out of every glyph.
constexpr TColor kGlyphKey = 0x00FF00FF;
} // namespace

DigitGlyphs::DigitGlyphs(const std::string& folder)
{
    for (int i = 0; i < kGlyphCount; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "%02d.bmp", i);
        TBitmap& glyph = glyphs_[i];
        glyph.LoadFromFile(folder + "Number\\" + name);
        glyph.SetTransparentColor(kGlyphKey);
        glyph.SetTransparent(true);
    }
}

const DigitGlyphs& SharedDigitGlyphs(const std::string& folder)
{
    static const DigitGlyphs glyphs(folder);
    return glyphs;
}

} // namespace energy
