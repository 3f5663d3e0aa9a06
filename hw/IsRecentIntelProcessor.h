#pragma once
// Whether the processor is an Intel one of family 6 model 0x1A (signature
// 0x106A, stepping dropped) or later. Asked once per process.

#include <cstdint>

namespace kelp {

bool IsRecentIntelProcessor();

// The rule on raw identification words: leaf 0's EBX and EDX (the first
// and second words of the vendor string) and leaf 1's EAX.
bool IsRecentIntelSignature(uint32_t vendorFirst, uint32_t vendorSecond, uint32_t signature);

} // namespace kelp
