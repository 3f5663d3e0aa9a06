#include "board/core/Package.h"

#include <cstring>

namespace vboard::package {
namespace {
struct Header {
    uint32_t magic;
    uint32_t bytes;
    uint32_t count;
};
struct ElementHeader {
    uint16_t tag;
    uint16_t offset;
    uint32_t length;
};

// Returned for every malformed or missing element; its data are zeros.
alignas(8) const unsigned char kEmptyElement[32] = {};

uint32_t Padded(uint32_t length) { return (length + 3) & ~3u; }

template <typename T> T ReadAt(const void* base, uint32_t offset)
{
    T value;
    std::memcpy(&value, static_cast<const unsigned char*>(base) + offset, sizeof value);
    return value;
}

bool ReadHeader(const void* package, Header& header)
{
    if (!package)
        return false;
    header = ReadAt<Header>(package, 0);
    return header.magic == kMagic && header.bytes >= kHeaderBytes && header.bytes <= kMaxBytes;
}

// The element at `offset` of a package with a valid header, checked in full.
bool ValidElement(const void* package, const Header& header, uint32_t offset)
{
    if (offset < kHeaderBytes || offset % 4 != 0 || offset + kElementHeaderBytes > header.bytes)
        return false;
    auto element = ReadAt<ElementHeader>(package, offset);
    if (element.offset != offset || element.length == 0 ||
        element.length > header.bytes - offset - kElementHeaderBytes ||
        Padded(element.length) > header.bytes - offset - kElementHeaderBytes)
        return false;
    const auto* data = static_cast<const char*>(package) + offset + kElementHeaderBytes;
    switch (element.tag) {
    case kInteger:
    case kReference: return element.length == 4;
    case kString: return data[element.length - 1] == '\0';
    default: return false;
    }
}

// Locates the package holding a walk-produced element; null for the empty
// element or a malformed one.
const unsigned char* PackageOf(const void* element, Header& header, uint32_t& offset)
{
    if (!element || element == kEmptyElement)
        return nullptr;
    offset = ReadAt<ElementHeader>(element, 0).offset;
    if (offset < kHeaderBytes || offset % 4 != 0 || offset > kMaxBytes - kElementHeaderBytes)
        return nullptr;
    const auto* package = static_cast<const unsigned char*>(element) - offset;
    if (!ReadHeader(package, header) || !ValidElement(package, header, offset))
        return nullptr;
    return package;
}
} // namespace

Writer::Writer() : bytes_(kHeaderBytes, 0) {}

void Writer::Element(Tag tag, const void* data, uint32_t length)
{
    uint32_t offset = uint32_t(bytes_.size());
    ElementHeader element{tag, uint16_t(offset > 0xFFFF ? 0xFFFF : offset), length};
    bytes_.resize(offset + kElementHeaderBytes + Padded(length), 0);
    std::memcpy(bytes_.data() + offset, &element, sizeof element);
    std::memcpy(bytes_.data() + offset + kElementHeaderBytes, data, length);
    ++count_;
    Header header{kMagic, uint32_t(bytes_.size()), count_};
    std::memcpy(bytes_.data(), &header, sizeof header);
}

void Writer::Integer(uint32_t value) { Element(kInteger, &value, 4); }

void Writer::String(const std::string& text) { Element(kString, text.c_str(), uint32_t(text.size() + 1)); }

void Writer::Reference(uint32_t id) { Element(kReference, &id, 4); }

bool Writer::CopyTo(void* buffer, uint32_t* size) const
{
    if (!size)
        return false;
    uint32_t needed = uint32_t(bytes_.size());
    if (!buffer || !Fits() || *size < needed) {
        *size = needed;
        return false;
    }
    std::memcpy(buffer, bytes_.data(), needed);
    *size = needed;
    return true;
}

const void* First(const void* package)
{
    Header header;
    if (!ReadHeader(package, header) || header.count == 0 || !ValidElement(package, header, kHeaderBytes))
        return kEmptyElement;
    return static_cast<const unsigned char*>(package) + kHeaderBytes;
}

uint32_t Count(const void* package)
{
    Header header;
    if (!ReadHeader(package, header))
        return 0;
    uint32_t count = 0, offset = kHeaderBytes;
    while (count < header.count && ValidElement(package, header, offset)) {
        offset += kElementHeaderBytes + Padded(ReadAt<ElementHeader>(package, offset).length);
        ++count;
    }
    return count;
}

const void* Next(const void* element)
{
    Header header;
    uint32_t offset;
    const unsigned char* package = PackageOf(element, header, offset);
    if (!package)
        return kEmptyElement;
    uint32_t next = offset + kElementHeaderBytes + Padded(ReadAt<ElementHeader>(package, offset).length);
    return ValidElement(package, header, next) ? package + next : kEmptyElement;
}

const void* Data(const void* element)
{
    Header header;
    uint32_t offset;
    const unsigned char* package = PackageOf(element, header, offset);
    return package ? package + offset + kElementHeaderBytes : kEmptyElement + kElementHeaderBytes;
}

Tag TagOf(const void* element)
{
    Header header;
    uint32_t offset;
    const unsigned char* package = PackageOf(element, header, offset);
    return package ? Tag(ReadAt<ElementHeader>(package, offset).tag) : Tag(0);
}

} // namespace vboard::package
