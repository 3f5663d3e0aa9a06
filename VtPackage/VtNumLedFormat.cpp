#include "VtPackage/VtNumLedFormat.h"

#include <algorithm>
#include <cmath>
#include <string_view>

namespace kelp {

namespace {
// Digit positions: plain digits and the time and date fields.
constexpr std::string_view kDigitChars = "8HhMmSsDdYy";
} // namespace

NumLedGlyphKind NumLedGlyphKindOf(char formatChar)
{
    if (formatChar != '\0' && kDigitChars.find(formatChar) != std::string_view::npos)
        return NumLedGlyphKind::Digit;
    switch (formatChar) {
    case '.':
        return NumLedGlyphKind::Point;
    case '^':
        return NumLedGlyphKind::Degree;
    case 'C':
        return NumLedGlyphKind::LetterC;
    case '&':
        return NumLedGlyphKind::Rpm;
    default:
        return NumLedGlyphKind::None;
    }
}

bool IsNumLedFormat(const std::string& format)
{
    return !format.empty() && std::none_of(format.begin(), format.end(), [](char c) {
        return NumLedGlyphKindOf(c) == NumLedGlyphKind::None;
    });
}

void NumberStates(const std::string& format, double number, bool zeroLeading, std::vector<int>& states)
{
    states.resize(format.size(), 0);
    const size_t point = format.find('.');
    const size_t fractionStart = point == std::string::npos ? format.size() : point;
    const int fractionDigits = static_cast<int>(std::count(format.begin() + fractionStart, format.end(), '8'));

    // Digits are peeled off as doubles: exact for every integral value a
    // double holds, and no overflow for large values. A value that is no
    // number, or too large once scaled, has no digits to show: all blank.
    double rest = std::fabs(std::floor(number * std::pow(10.0, fractionDigits) + 0.5));
    const bool finite = std::isfinite(rest);
    if (!finite)
        rest = 0.0;
    bool integerPlaced = false;
    for (size_t i = format.size(); i-- > 0;) {
        if (format[i] != '8')
            continue;
        const double digit = std::fmod(rest, 10.0);
        rest = std::round((rest - digit) / 10.0);
        const bool fraction = i > fractionStart;
        const bool shown = fraction || digit != 0 || rest != 0 || zeroLeading || !integerPlaced;
        states[i] = finite && shown ? static_cast<int>(digit) + 1 : 0;
        if (!fraction)
            integerPlaced = true;
    }
}

void DateTimeStates(const std::string& format, bool time, unsigned first, unsigned second, unsigned third,
                    std::vector<int>& states)
{
    states.resize(format.size(), 0);
    const char* const firstChars = time ? "Hh" : "Yy";
    const char* const thirdChars = time ? "Ss" : "Dd";
    for (size_t i = format.size(); i-- > 0;) {
        const char c = format[i];
        unsigned* field = nullptr;
        if (c == firstChars[0] || c == firstChars[1])
            field = &first;
        else if (c == 'M' || c == 'm')
            field = &second;
        else if (c == thirdChars[0] || c == thirdChars[1])
            field = &third;
        if (!field)
            continue;
        states[i] = static_cast<int>(*field % 10) + 1;
        *field /= 10;
    }
}

} // namespace kelp
