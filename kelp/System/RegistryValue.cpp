#include "kelp/System/RegistryValue.h"

#include <algorithm>
#include <cstring>

namespace kelp {

bool IsRegistryStringType(uint32_t type)
{
    return type == kRegString || type == kRegExpandString || type == kRegMultiString;
}

bool DecodeRegistryDword(uint32_t type, const uint8_t* data, size_t size, uint32_t& value)
{
    if (type != kRegDword || size != sizeof(uint32_t) || !data)
        return false;
    std::memcpy(&value, data, sizeof value);
    return true;
}

bool DecodeRegistryString(uint32_t type, const uint8_t* data, size_t size, std::string& text)
{
    if (!IsRegistryStringType(type) || (!data && size != 0))
        return false;
    const uint8_t* end = data ? std::find(data, data + size, uint8_t(0)) : data;
    text.assign(reinterpret_cast<const char*>(data), size_t(end - data));
    return true;
}

} // namespace kelp
