#pragma once
// Which glyph each position of a fixed-point readout shows for a value.

#include <vector>

namespace energy {

// For a value that is not negative (others show as 0): the integer digits
// right-aligned with blanks before the highest digit (the units position
// always shows a digit), then, with fraction digits, the point and the
// fraction truncated. Only the last fraction digit is rounded, and rounding
// never carries into the digits before it (0.996 with two fraction digits
// shows .99). A value too wide for the row, also one that only rounding
// makes too wide, shows the row's maximum (nines in every place) instead of
// losing its highest digits.
std::vector<int> GlyphIndices(double value, int integerDigits, int fractionDigits);

} // namespace energy
