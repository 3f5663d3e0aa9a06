#include "kelp/vantor/BiosPackage.h"

#include "kelp/vantor/AcpiLibrary.h"

#include <cstring>

namespace kelp {

uint32_t ElementValue(const void* element)
{
    uint32_t value = 0;
    if (const void* data = VtAcpiElementData(element))
        std::memcpy(&value, data, sizeof value);
    return value;
}

const char* ElementText(const void* element)
{
    const void* data = VtAcpiElementData(element);
    return data ? static_cast<const char*>(data) : "";
}

} // namespace kelp
