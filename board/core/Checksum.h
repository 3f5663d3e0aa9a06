#pragma once
// CRC-32 (IEEE 802.3 polynomial) over a byte range: guards the state file
// against truncation and stray edits, and names the state's mutex.

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace vboard {

uint32_t Crc32(const void* data, size_t size);
inline uint32_t Crc32(std::string_view text) { return Crc32(text.data(), text.size()); }

} // namespace vboard
