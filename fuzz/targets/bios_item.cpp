// BIOS item description packages as the ACPI library hands them over: any
// bytes, loaded into each of the three item classes, then every index of a
// loaded item converted.

#include "kelp/vantor/BiosBooleanItem.h"
#include "kelp/vantor/BiosNumberItem.h"
#include "kelp/vantor/BiosPackage.h"
#include "kelp/vantor/BiosStringItem.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include <vector>

namespace {

void Exercise(kelp::BiosItem& item, const uint8_t* data, size_t size)
{
    if (!item.Load(data, uint32_t(size)))
        return;
    item.GetHeaderValue();
    item.IsPlainItem();
    // Indexes are bounded by the count the item reports; a few past it
    // reach the number conversion's range checks.
    const unsigned count = std::min(item.GetCount(), 64u);
    for (unsigned index = 0; index < count; ++index) {
        int64_t numerator = 0, denominator = 0;
        if (dynamic_cast<kelp::BiosNumberItem*>(&item)) {
            item.IndexToRational(index, numerator, denominator);
            item.IndexToValue(index);
        }
        item.IndexToString(index);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // The library's packages live in 4096-byte transfer buffers.
    if (size > kelp::kBiosBufferSize)
        return 0;
    // The item classes copy the package into a buffer of their own; hand
    // them exactly the bytes, so that any read past them is reported.
    std::vector<uint8_t> bytes(data, data + size);
    kelp::BiosNumberItem number;
    Exercise(number, bytes.data(), bytes.size());
    kelp::BiosStringItem text;
    Exercise(text, bytes.data(), bytes.size());
    kelp::BiosBooleanItem flag;
    Exercise(flag, bytes.data(), bytes.size());
    return 0;
}
