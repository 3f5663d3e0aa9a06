#pragma once
// The start of a PNG file: the signature and the IHDR chunk with the
// picture's size. Plain C++ so that it runs anywhere.

#include <cstddef>
#include <cstdint>

namespace kelp {

// Signature (8), chunk length and type (8), width and height (8).
constexpr size_t kPngHeaderBytes = 24;

// False unless the bytes start with the PNG signature and an IHDR chunk
// of its fixed length giving a width and height above 0.
bool ParsePngHeader(const uint8_t* bytes, size_t size, uint32_t& width, uint32_t& height);

} // namespace kelp
