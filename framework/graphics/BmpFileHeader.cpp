#include "framework/graphics/BmpFileHeader.h"

#include "framework/graphics/DibHeader.h"
#include "framework/graphics/GraphicsError.h"
#include "framework/graphics/Stream.h"

#include <vector>

namespace {

// A header larger than this is no header this program reads.
constexpr size_t kMaxHeaderBytes = 64 * 1024;

bool ReadFully(TStream& stream, uint8_t* buffer, size_t count)
{
    while (count > 0) {
        const size_t n = stream.Read(buffer, count);
        if (n == 0)
            return false;
        buffer += n;
        count -= n;
    }
    return true;
}

[[noreturn]] void Invalid()
{
    throw EInvalidGraphic("Invalid bitmap");
}

} // namespace

TPictureHeader ReadBmpFileHeader(const std::string& fileName)
{
    TFileStream stream(fileName);
    const size_t fileSize = stream.Size();
    std::vector<uint8_t> bytes(kBmpFileHeaderBytes);
    size_t infoSize = 0, bitsOffset = 0;
    // Located against the whole file's size, so pixels that the file is too
    // short for are refused here already.
    if (!ReadFully(stream, bytes.data(), bytes.size()) ||
        !LocateBmpParts(bytes.data(), fileSize, infoSize, bitsOffset) || bitsOffset > kMaxHeaderBytes)
        Invalid();
    bytes.resize(bitsOffset);
    DibLayout layout;
    if (!ReadFully(stream, bytes.data() + kBmpFileHeaderBytes, infoSize) ||
        !ParseDibHeader(bytes.data() + kBmpFileHeaderBytes, infoSize, fileSize - bitsOffset, layout))
        Invalid();
    TPictureHeader header;
    header.width = layout.width;
    header.height = layout.height;
    header.format = HeldPixelFormat(layout.bitCount);
    return header;
}
