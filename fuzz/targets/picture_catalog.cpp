// Picture catalogues as they lie in a picture folder: any text, parsed into
// entries, each of which must hold only values a picture can have.

#include "framework/graphics/DibHeader.h"
#include "framework/graphics/PictureCatalogText.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const auto entries = ParsePictureCatalog(std::string_view(reinterpret_cast<const char*>(data), size));
    for (const auto& [name, entry] : entries) {
        if (name.empty() || name != CatalogKey(name) || entry.width < 1 || entry.width > kMaxBitmapSide ||
            entry.height < 1 || entry.height > kMaxBitmapSide ||
            (entry.bits != 4 && entry.bits != 24 && entry.bits != 32) || entry.fileSize == 0)
            std::abort();
    }
    return 0;
}
