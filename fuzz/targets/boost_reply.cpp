// The graphics-boost write's reply list as the ACPI library fills it, with
// any size the library claims.

#include "hw/BoostReply.h"

#include <algorithm>
#include <cstring>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 4)
        return 0;
    uint32_t claimed;
    std::memcpy(&claimed, data, 4);
    // The buffer the program hands over, filled as far as the input goes.
    std::vector<uint32_t> buffer(kelp::kBoostReplyBytes / 4, 0);
    std::memcpy(buffer.data(), data + 4, std::min<size_t>(size - 4, kelp::kBoostReplyBytes));
    const auto pairs = kelp::DecodeBoostReply(buffer.data(), claimed);
    if (pairs.size() > kelp::kBoostReplyBytes / 8)
        __builtin_trap();
    return 0;
}
