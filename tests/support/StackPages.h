#pragma once
// Looks at which pages of this process are resident, for tests of code that
// gives stack memory back.
#ifndef PSAPI_VERSION
#define PSAPI_VERSION 2
#endif
#include <windows.h>
#include <psapi.h>

#include <cstddef>
#include <cstdint>

namespace testsupport {

constexpr uintptr_t kPage = 4096;

// Resident pages of this process in [low, high); -1 when it cannot be asked.
inline int ResidentPages(uintptr_t low, uintptr_t high)
{
    int resident = 0;
    for (uintptr_t page = low & ~(kPage - 1); page < high; page += kPage) {
        PSAPI_WORKING_SET_EX_INFORMATION info{};
        info.VirtualAddress = reinterpret_cast<void*>(page);
        if (!QueryWorkingSetEx(GetCurrentProcess(), &info, sizeof info))
            return -1;
        resident += info.VirtualAttributes.Valid ? 1 : 0;
    }
    return resident;
}

// Writes a pattern into every page `depth` bytes below the caller and
// checks it reads back; `lowest` is the lowest address written.
__attribute__((noinline)) inline bool UseStack(size_t depth, uintptr_t& lowest)
{
    volatile char* deep = static_cast<volatile char*>(__builtin_alloca(depth));
    lowest = reinterpret_cast<uintptr_t>(deep);
    for (size_t i = 0; i < depth; i += kPage)
        deep[i] = char(i / kPage + 1);
    for (size_t i = 0; i < depth; i += kPage)
        if (deep[i] != char(i / kPage + 1))
            return false;
    return true;
}

} // namespace testsupport
