#include "hw/BoostReply.h"

#include <algorithm>

namespace kelp {
namespace {
constexpr uint32_t kEndOfReply = 0xFFFFFFFF;
} // namespace

std::vector<BoostReplyPair> DecodeBoostReply(const uint32_t* words, uint32_t size)
{
    std::vector<BoostReplyPair> pairs;
    if (!words)
        return pairs;
    const uint32_t count = std::min(size, kBoostReplyBytes) / 4;
    for (uint32_t i = 1; i + 1 < count; i += 2) {
        if (words[i] == kEndOfReply)
            break;
        pairs.push_back(BoostReplyPair{words[i], int32_t(words[i + 1])});
    }
    return pairs;
}

} // namespace kelp
