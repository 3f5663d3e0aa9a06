#include "board/core/PowerWord.h"

#include <cmath>

namespace vboard {

namespace {
constexpr int kMinExponent = -16;
constexpr int kMaxExponent = 15;
constexpr double kMaxMantissa = 2047;
} // namespace

uint16_t EncodePowerWord(double watts)
{
    if (!(watts > 0))
        return 0;
    // The smallest exponent whose mantissa still fits keeps the most precision.
    for (int exponent = kMinExponent; exponent <= kMaxExponent; ++exponent) {
        const double mantissa = std::round(std::ldexp(watts, -exponent));
        if (mantissa <= kMaxMantissa)
            return uint16_t(((unsigned(exponent) & 0x1F) << 11) | unsigned(mantissa));
    }
    return uint16_t(((unsigned(kMaxExponent) & 0x1F) << 11) | unsigned(kMaxMantissa));
}

} // namespace vboard
