// The notification record a process of the test prefix sends the tests'
// notification area: any bytes, any size.

#include "tests/support/NotifyRecord.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const auto record = traytest::DecodeNotifyRecord(data, size);
    if (record && record->icon.bits.size() > size)
        __builtin_trap();
    if (record && record->icon.width > traytest::kMaxIconSide)
        __builtin_trap();
    return 0;
}
