#pragma once
// Decoding of the user overclocking profile "cal.oc", little-endian:
//   "VTOC" | version (1) | record count n | n x (identifier, signed value)
// The file may be written by every user of the machine, so nothing in it
// is trusted. Plain C++ so that it runs anywhere.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace kelp {

struct ProfileRecord {
    uint32_t id;
    int32_t value;
};

constexpr size_t kProfileHeaderBytes = 12;
constexpr size_t kProfileRecordBytes = 8;
// Far more records than the overclock manager has items (item numbers below
// 0xF0 and four more); a larger count is a damaged or hostile file, whose
// first records are still applied.
constexpr uint32_t kMaxProfileRecords = 1024;
// No more than this is ever read from the file.
constexpr size_t kMaxProfileBytes = kProfileHeaderBytes + kProfileRecordBytes * kMaxProfileRecords;

// The records of the file's bytes: as many as the count names, the file
// holds and the cap allows. False when a header field is missing or the
// version is 2 or later; the header's characters are not compared (older
// tools wrote others).
bool DecodeUserProfile(const uint8_t* bytes, size_t size, std::vector<ProfileRecord>& records);

} // namespace kelp
