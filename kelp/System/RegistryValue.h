#pragma once
// Decoding of registry value data. Any program of the user may write the
// values this program reads, with any type and length, so the stored type
// and size are checked before the data are believed. Plain C++ so that it
// runs anywhere; WinRegistry fetches the bytes.

#include <cstddef>
#include <cstdint>
#include <string>

namespace kelp {

// The registry's type codes that matter here.
constexpr uint32_t kRegString = 1;        // REG_SZ
constexpr uint32_t kRegExpandString = 2;  // REG_EXPAND_SZ
constexpr uint32_t kRegBinary = 3;        // REG_BINARY
constexpr uint32_t kRegDword = 4;         // REG_DWORD
constexpr uint32_t kRegMultiString = 7;   // REG_MULTI_SZ

bool IsRegistryStringType(uint32_t type);

// A REG_DWORD of exactly 4 bytes.
bool DecodeRegistryDword(uint32_t type, const uint8_t* data, size_t size, uint32_t& value);

// A string type; the text runs to the first terminator or to the end of the
// data, which need not be terminated. A multi-string gives its first string.
bool DecodeRegistryString(uint32_t type, const uint8_t* data, size_t size, std::string& text);

} // namespace kelp
