#pragma once
// The ACPI library's packages: self-delimiting element lists in a
// caller-supplied buffer.
//
//   header   magic "VPK1" | total bytes (12..4096) | element count      3 x u32
//   element  tag (u16) | offset of the element from the package start (u16)
//            | data length (u32) | data, zero-padded to a multiple of 4
//
// Tags: integer (4 bytes), string (text with its terminator), reference
// (4-byte item identifier). Each element knows its own offset, so the walk
// finds the package bounds from an element alone and never leaves them.
// Anything malformed - bad magic, a length beyond the package, a string
// without a terminator, walking past the last element - yields a static
// empty element whose data are zero bytes (an integer 0, an empty text, an
// unknown reference).

#include <cstdint>
#include <string>
#include <vector>

namespace vboard::package {

constexpr uint32_t kMagic = 0x314B5056; // "VPK1"
constexpr uint32_t kMaxBytes = 4096;    // the transfer size every caller uses
constexpr uint32_t kHeaderBytes = 12;
constexpr uint32_t kElementHeaderBytes = 8;

enum Tag : uint16_t { kInteger = 1, kString = 2, kReference = 3 };

class Writer {
public:
    Writer();
    void Integer(uint32_t value);
    void String(const std::string& text);
    void Reference(uint32_t id);

    // False when the package outgrows kMaxBytes.
    bool Fits() const { return bytes_.size() <= kMaxBytes; }
    const std::vector<uint8_t>& Bytes() const { return bytes_; }

    // Copies the package when it fits both the protocol limit and *size;
    // *size is then the bytes written. Otherwise nothing is written, *size
    // becomes the bytes needed and the result is false.
    bool CopyTo(void* buffer, uint32_t* size) const;

private:
    void Element(Tag tag, const void* data, uint32_t length);
    std::vector<uint8_t> bytes_;
    uint32_t count_ = 0;
};

// The walk. A package is trusted to lie in a buffer of at least kMaxBytes
// (every transfer buffer has that size); within that, its own length field
// bounds every read. Pointers given in must come from these functions (or
// be a package start); the results are always safe to read 8 bytes from.
const void* First(const void* package);
uint32_t Count(const void* package); // well-formed elements, at most the header's count
const void* Next(const void* element);
const void* Data(const void* element);
Tag TagOf(const void* element); // 0 for the empty element

} // namespace vboard::package
