#pragma once
// The firmware's 16-bit power reading: bits 15-11 a signed exponent
// (-16..15), bits 10-0 an unsigned mantissa; watts = mantissa * 2^exponent.

#include <cstdint>

namespace vboard {

// The finest word that holds `watts` (negative counts as 0; values beyond
// the format's range saturate).
uint16_t EncodePowerWord(double watts);

} // namespace vboard
