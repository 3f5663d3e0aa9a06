// A policy value as any tool may have left it: a name chosen by the first
// byte, then the registry type and the stored bytes.

#include "fuzz/native/FuzzInput.h"
#include "policy/PolicyDecoder.h"

#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    constexpr size_t kNames = sizeof(policy::kPolicyValueNames) / sizeof(policy::kPolicyValueNames[0]);
    FuzzInput input{data, size};
    const char* name = policy::kPolicyValueNames[input.Take<uint8_t>() % kNames];
    const uint32_t type = input.Take<uint32_t>();
    // Exactly the stored bytes, so that any read past them is reported.
    const std::vector<uint8_t> stored(input.data, input.data + input.size);
    policy::PolicySet set;
    std::string why;
    const policy::DecodeResult result = policy::DecodePolicyValue(name, type, stored.data(), stored.size(), set, why);
    // A rejected value leaves nothing behind; one that is set says nothing.
    if ((result == policy::DecodeResult::Rejected) != !why.empty())
        __builtin_trap();
    if (result == policy::DecodeResult::Rejected && !set.Empty())
        __builtin_trap();
    if (set.allowedModes && (*set.allowedModes == 0 || (*set.allowedModes & ~policy::kAllModes)))
        __builtin_trap();
    if (set.metricsFile && set.metricsFile->size() > policy::kMaxMetricsPathChars)
        __builtin_trap();
    return 0;
}
