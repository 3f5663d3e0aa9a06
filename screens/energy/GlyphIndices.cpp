#include "screens/energy/GlyphIndices.h"

#include "screens/energy/DigitGlyphs.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

namespace energy {

namespace {
// Decimals written beyond the row's own: enough to remove the binary
// representation error (999.4 is held as 999.39999...), far too few to
// change a digit the user could see.
constexpr int kGuardDigits = 3;

// Nines in every place: the most the row can show.
std::vector<int> RowMaximum(int integerDigits, int fractionDigits)
{
    std::vector<int> glyphs(integerDigits, 9);
    if (fractionDigits > 0) {
        glyphs.push_back(kValuePoint);
        glyphs.insert(glyphs.end(), fractionDigits, 9);
    }
    return glyphs;
}
} // namespace

std::vector<int> GlyphIndices(double value, int integerDigits, int fractionDigits)
{
    // A damaged account can hold anything; what is no amount shows as 0.
    if (!std::isfinite(value) || value < 0)
        value = 0;
    const int decimals = fractionDigits + kGuardDigits;
    char text[400];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    const std::string written(text);
    const size_t point = written.find('.');
    const std::string whole = written.substr(0, point);
    const std::string fraction = written.substr(point + 1);

    // Writing rounds, and the carry can run past the highest place (99.999996
    // is written 100.00000): checked after rounding, so that no value wraps
    // round to a row of zeros.
    if (whole.size() > size_t(integerDigits))
        return RowMaximum(integerDigits, fractionDigits);

    std::vector<int> glyphs(integerDigits, kBlank);
    // Right-aligned behind blanks; the written number has no leading zeros
    // but "0" itself, so the units place always shows a digit.
    for (size_t i = 0; i < whole.size(); ++i)
        glyphs[integerDigits - 1 - i] = whole[whole.size() - 1 - i] - '0';

    if (fractionDigits > 0) {
        glyphs.push_back(kValuePoint);
        for (int k = 0; k < fractionDigits - 1; ++k)
            glyphs.push_back(fraction[k] - '0');
        // The last place alone is rounded, and a 9 stays 9 rather than carry.
        const int last = fraction[fractionDigits - 1] - '0';
        const bool roundUp = fraction[fractionDigits] >= '5';
        glyphs.push_back(std::min(last + (roundUp ? 1 : 0), 9));
    }
    return glyphs;
}

} // namespace energy
