#pragma once
// Numbers as the board's text files and boardctl write them: decimal or
// 0x-prefixed hexadecimal, optionally signed.

#include <cstdint>
#include <string>
#include <string_view>

namespace vboard {

// Whole-text parse; false on empty text, stray characters or overflow of
// the 64-bit range.
bool ParseInteger(std::string_view text, int64_t& value);

// A 32-bit quantity: accepts -2147483648 .. 4294967295 and returns the bit
// pattern (so "-1" gives 0xFFFFFFFF).
bool ParseWord(std::string_view text, uint32_t& value);

std::string HexWord(uint32_t value); // "0x0000ABCD"

} // namespace vboard
