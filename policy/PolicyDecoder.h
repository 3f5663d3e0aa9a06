#pragma once
// Decoding of one raw policy value (name, registry type, bytes) into the
// typed policy set.
//
// Security stance: the Policies keys are writable by administrators only,
// yet a value may still be hand-edited, left by an old template or written
// by a faulty tool: any type, any length, any bytes. Nothing is believed
// that does not have exactly the expected type, size and range; a bad value
// leaves its field empty (as if absent) and says why, for a trace line.

#include "policy/PolicySet.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace policy {

// Longest stored value the reader fetches; longer ones are refused unread.
inline constexpr size_t kMaxPolicyValueBytes = 1024;

enum class DecodeResult {
    Set,      // the field now holds the value
    Unknown,  // not a value name of ours: left alone, no trace
    Rejected, // ours, but bad: the field is cleared and `why` says why
};

// Value names compare without regard to case, as the registry does.
DecodeResult DecodePolicyValue(std::string_view name, uint32_t type, const uint8_t* data, size_t size,
                               PolicySet& into, std::string& why);

// The mode named ("max"), in any case, surrounding blanks ignored; nullopt
// for anything else.
std::optional<int> ParsePolicyMode(std::string_view text);
// Comma-separated mode names; nullopt when any item is not a mode or none is.
std::optional<ModeMask> ParsePolicyModeList(std::string_view text);

} // namespace policy
