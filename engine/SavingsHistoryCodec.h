#pragma once
// The stored form of the savings history: a 12-byte header ("PXSH", format
// version 1, day count; little-endian 32-bit words) and one 136-byte record
// a day, oldest first. The stored bytes are believed only as far as they
// check out: a header or size that does not match loads nothing, a record
// that is damaged, out of order or dated after tomorrow is left out, and
// each kind of problem is named. Plain C++ for the fuzzer.

#include "engine/SavingsHistory.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace history {

constexpr size_t kHeaderBytes = 12;
constexpr size_t kRecordBytes = 136;
constexpr size_t kMaxStoredBytes = kHeaderBytes + kMaxDays * kRecordBytes;
// Days before this one (2000-01-01) are damage: the program keeps recent days.
constexpr int kEarliestDay = 10957;

// What a decode found wrong, one bit a kind.
enum Problem : unsigned {
    kBadHeader = 1u << 0,   // too short, wrong tag or version
    kBadSize = 1u << 1,     // the length is not the header's count of records
    kTooManyDays = 1u << 2, // a count beyond the bound
    kBadFigures = 1u << 3,  // non-finite, negative or huge figures
    kBadDate = 1u << 4,     // dated after tomorrow or before the earliest day
    kDisorder = 1u << 5,    // a day not after the one before it
};

std::vector<uint8_t> EncodeHistory(const std::vector<DayRecord>& days);

// The records worth keeping, in order; `problems` holds the Problem bits.
// `today` is the local day now: a record after tomorrow cannot be real.
std::vector<DayRecord> DecodeHistory(const uint8_t* data, size_t size, int today, unsigned& problems);

// The problems' names for a trace line ("bad header, bad date").
std::string DescribeProblems(unsigned problems);

} // namespace history
