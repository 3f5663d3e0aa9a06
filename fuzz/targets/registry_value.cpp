// Registry value data as another program may have written it: any type,
// any length, decoded as the DWORD and string readers do.

#include "kelp/System/RegistryValue.h"

#include <cstring>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 4)
        return 0;
    uint32_t type;
    std::memcpy(&type, data, 4);
    // Exactly the stored bytes, so that any read past them is reported.
    const std::vector<uint8_t> stored(data + 4, data + size);
    uint32_t value = 0;
    if (kelp::DecodeRegistryDword(type, stored.data(), stored.size(), value) && stored.size() != 4)
        __builtin_trap();
    std::string text;
    if (kelp::DecodeRegistryString(type, stored.data(), stored.size(), text) &&
        (text.size() > stored.size() || text.find('\0') != std::string::npos))
        __builtin_trap();
    return 0;
}
