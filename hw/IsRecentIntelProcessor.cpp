#include "hw/IsRecentIntelProcessor.h"

#include <cpuid.h>

namespace kelp {
namespace {
constexpr uint32_t kGenu = 0x756E6547; // "Genu"
constexpr uint32_t kIneI = 0x49656E69; // "ineI"
constexpr uint32_t kFirstRecentSignature = 0x106A;

bool AskProcessor()
{
    unsigned eax, ebx, ecx, edx;
    if (!__get_cpuid(0, &eax, &ebx, &ecx, &edx))
        return false;
    unsigned vendorFirst = ebx, vendorSecond = edx;
    if (!__get_cpuid(1, &eax, &ebx, &ecx, &edx))
        return false;
    return IsRecentIntelSignature(vendorFirst, vendorSecond, eax);
}
} // namespace

bool IsRecentIntelSignature(uint32_t vendorFirst, uint32_t vendorSecond, uint32_t signature)
{
    return vendorFirst == kGenu && vendorSecond == kIneI && (signature >> 4) >= kFirstRecentSignature;
}

bool IsRecentIntelProcessor()
{
    static const bool recent = AskProcessor();
    return recent;
}

} // namespace kelp
