#include "framework/system/ThreadStack.h"

#include <windows.h>

#include <cstdint>

namespace {
uintptr_t PageSize()
{
    SYSTEM_INFO info;
    GetSystemInfo(&info);
    return info.dwPageSize;
}

// The lowest committed address of the calling thread's stack: on Windows
// the pages below it are the guard page and reserved ones, under Wine it is
// the bottom of the stack.
uintptr_t StackLimit()
{
    // NtCurrentTeb reads the thread block through a segment register, which
    // GCC takes for an access to a small absolute address.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Warray-bounds"
    return reinterpret_cast<uintptr_t>(reinterpret_cast<const NT_TIB*>(NtCurrentTeb())->StackLimit);
#pragma GCC diagnostic pop
}
} // namespace

// Not inlined: the margin is measured from this function's own frame,
// which lies below every frame of its caller.
__attribute__((noinline)) void ReleaseUnusedStack()
{
    const auto frame = reinterpret_cast<uintptr_t>(__builtin_frame_address(0));
    const uintptr_t lowest = StackLimit();
    if (frame < lowest + kStackReleaseMargin)
        return;
    const uintptr_t end = (frame - kStackReleaseMargin) & ~(PageSize() - 1);
    // MEM_RESET: the contents no longer matter and need not be kept; the
    // pages stay committed. A failure leaves the stack as it was.
    if (end > lowest)
        VirtualAlloc(reinterpret_cast<void*>(lowest), end - lowest, MEM_RESET, PAGE_READWRITE);
}
