#include "hw/UserProfileFile.h"

#include <algorithm>

namespace kelp {
namespace {
constexpr uint32_t kFirstRefusedVersion = 2;

uint32_t WordAt(const uint8_t* bytes)
{
    return uint32_t(bytes[0]) | uint32_t(bytes[1]) << 8 | uint32_t(bytes[2]) << 16 | uint32_t(bytes[3]) << 24;
}
} // namespace

bool DecodeUserProfile(const uint8_t* bytes, size_t size, std::vector<ProfileRecord>& records)
{
    records.clear();
    if (!bytes || size < kProfileHeaderBytes)
        return false;
    if (WordAt(bytes + 4) >= kFirstRefusedVersion)
        return false;
    const size_t held = (size - kProfileHeaderBytes) / kProfileRecordBytes;
    const size_t count = std::min<size_t>({WordAt(bytes + 8), held, kMaxProfileRecords});
    records.reserve(count);
    for (size_t i = 0; i < count; ++i) {
        const uint8_t* record = bytes + kProfileHeaderBytes + i * kProfileRecordBytes;
        records.push_back(ProfileRecord{WordAt(record), int32_t(WordAt(record + 4))});
    }
    return true;
}

} // namespace kelp
