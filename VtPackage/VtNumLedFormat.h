#pragma once
// The format strings of the numeric LED display, one character per glyph,
// and the state each glyph of a format shows for a number, a time or a
// date. Formats are streamed properties and may hold anything. Plain C++
// so that it runs anywhere; VtNumLed_imp draws what this computes.

#include <string>
#include <vector>

namespace kelp {

enum class NumLedGlyphKind { None, Digit, Point, Degree, LetterC, Rpm };

// "8" and the time and date fields "HhMmSsDdYy" are digits; ".", "^", "C"
// and "&" the point, degree sign, letter C and RPM unit; anything else none.
NumLedGlyphKind NumLedGlyphKindOf(char formatChar);

// A format the display accepts: not empty, every character a glyph.
bool IsNumLedFormat(const std::string& format);

// Digit states (digit + 1, 0 blank) of `number` at the "8" positions of the
// format; the other positions keep their states. `states` has one entry per
// format character. Leading zeros of the integer part are blank unless
// zeroLeading; a value without digits to show (no number, or too large once
// scaled) blanks every digit.
void NumberStates(const std::string& format, double number, bool zeroLeading, std::vector<int>& states);

// Digit states of three fields at their characters: hour, minute, second
// ("Hh", "Mm", "Ss") for a time, year, month, day ("Yy", "Mm", "Dd") for a
// date, the last digit of each field at its rightmost character.
void DateTimeStates(const std::string& format, bool time, unsigned first, unsigned second, unsigned third,
                    std::vector<int>& states);

} // namespace kelp
