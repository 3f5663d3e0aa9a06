#pragma once
// The reply list of the graphics-boost write (ACPI ordinal 13): 32-bit
// words, word 0 a count, then (identifier, value) pairs up to an
// identifier of -1 or the end of the bytes the library returned. The
// library is outside this program, so the size it reports is not trusted.
// Plain C++ so that it runs anywhere.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace kelp {

constexpr uint32_t kBoostReplyBytes = 4096;  // the buffer handed to the library

struct BoostReplyPair {
    uint32_t id;
    int32_t value;
};

// The pairs of a reply of `size` bytes in a buffer of kBoostReplyBytes;
// a size beyond the buffer counts as the buffer, a half pair is dropped.
std::vector<BoostReplyPair> DecodeBoostReply(const uint32_t* words, uint32_t size);

} // namespace kelp
