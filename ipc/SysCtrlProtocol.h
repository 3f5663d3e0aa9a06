#pragma once
// The board vendor's system-control service: one local message pipe,
// 32-bit little-endian words, replies starting with a result word (1 = success).

#include <cstdint>

namespace kelp::sysctrl {

constexpr const char* kPipeName = "VANTOR SYSTEM CONTROL PIPE";
constexpr uint32_t kReplyCapacity = 4096;

// Reply: result, overclock state, second value.
constexpr uint32_t kGetOcState = 0x80000001;

} // namespace kelp::sysctrl
