// The "cal.oc" profile any user can write.

#include "hw/UserProfileFile.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<kelp::ProfileRecord> records;
    const bool loaded = kelp::DecodeUserProfile(data, size, records);
    // Never more records than the file holds or the cap allows.
    if (records.size() > kelp::kMaxProfileRecords ||
        (loaded && kelp::kProfileHeaderBytes + records.size() * kelp::kProfileRecordBytes > size) ||
        (!loaded && !records.empty()))
        std::abort();
    return 0;
}
