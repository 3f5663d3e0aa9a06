#include "kelp/vantor/BiosInterface.h"

#include "kelp/vantor/AcpiLibrary.h"
#include "kelp/vantor/BiosGroupList.h"
#include "kelp/vantor/BiosPackage.h"

#include <memory>

namespace kelp {
namespace {
constexpr uint32_t kPlainWrite = 1;
} // namespace

void InitInterface()
{
    VtAcpiInitialize();
}

bool GetItem(uint32_t id, uint32_t& value)
{
    return (VtAcpiGetItem(id, &value) & 1) != 0;
}

bool GetItemArg(uint32_t id, uint32_t argument, uint32_t& value)
{
    return (VtAcpiGetItemArg(id, argument, &value) & 1) != 0;
}

bool SetItem(uint32_t id, uint32_t value)
{
    return (SetItemMode(id, value, kPlainWrite) & 1) != 0;
}

uint32_t SetItemMode(uint32_t id, uint32_t value, uint32_t mode)
{
    return VtAcpiSetItem(id, value, mode);
}

bool IsItemSupported(uint32_t id)
{
    BiosGroupList list;
    if (!list.Open(uint8_t(id >> 24)))
        return false;
    auto description = std::make_unique<unsigned char[]>(kBiosBufferSize);
    for (; !list.AtEnd(); list.Next()) {
        uint32_t size = kBiosBufferSize;
        if (VtAcpiGetItemDescription(list.Current(), description.get(), &size) &&
            ElementValue(VtAcpiFirstElement(description.get())) == id)
            return true;
    }
    return false;
}

void GetInterfaceValues(uint32_t* values, int first, int count)
{
    auto buffer = std::make_unique<unsigned char[]>(kBiosBufferSize);
    uint32_t size = kBiosBufferSize;
    if (!VtAcpiGetInterface(buffer.get(), &size))
        return;
    int available = int(VtAcpiElementCount(buffer.get())) - 2;
    if (available < first + count)
        count = available - first;
    const void* element = VtAcpiNextElement(VtAcpiNextElement(VtAcpiFirstElement(buffer.get())));
    for (int skipped = 0; skipped < first; ++skipped)
        element = VtAcpiNextElement(element);
    for (int i = 0; i < count; ++i, element = VtAcpiNextElement(element))
        values[i] = ElementValue(element);
}

uint32_t GetInterfaceVersion()
{
    InitInterface();
    uint32_t version = 0;
    GetInterfaceValues(&version, 1, 1);
    return version;
}

} // namespace kelp
