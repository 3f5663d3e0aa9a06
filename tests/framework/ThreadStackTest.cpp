#include "framework/system/ThreadStack.h"
#include "tests/support/StackPages.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

namespace {

using testsupport::kPage;
using testsupport::ResidentPages;
using testsupport::UseStack;

struct Observed {
    int residentBefore = -1;
    int residentAfter = -1;
    bool callerFrameKept = false;
    bool deepUseAfter = false;
};

// On a fresh thread: uses 512 KB of stack, releases, and looks at what stayed.
DWORD WINAPI ReleaseOnFreshThread(void* parameter)
{
    auto& seen = *static_cast<Observed*>(parameter);
    // The caller's own frame, which must survive the release whole.
    char frame[12 * 1024];
    for (size_t i = 0; i < sizeof frame; ++i)
        frame[i] = char(i * 7 + 3);
    const auto here = reinterpret_cast<uintptr_t>(frame);
    const uintptr_t released = here - kStackReleaseMargin - 4 * kPage;

    uintptr_t deepest = 0;
    UseStack(512 * 1024, deepest);
    seen.residentBefore = ResidentPages(deepest, released);
    ReleaseUnusedStack();
    seen.residentAfter = ResidentPages(deepest, released);

    seen.callerFrameKept = true;
    for (size_t i = 0; i < sizeof frame; ++i)
        seen.callerFrameKept = seen.callerFrameKept && frame[i] == char(i * 7 + 3);
    seen.deepUseAfter = UseStack(512 * 1024, deepest);
    return 0;
}

} // namespace

TEST(ThreadStack, ReleasesTheStackBelowTheCallerAndKeepsItUsable)
{
    Observed seen;
    HANDLE thread = CreateThread(nullptr, 0, ReleaseOnFreshThread, &seen, 0, nullptr);
    ASSERT_NE(thread, nullptr);
    ASSERT_EQ(WaitForSingleObject(thread, 10000), WAIT_OBJECT_0);
    DWORD code = 1;
    GetExitCodeThread(thread, &code);
    CloseHandle(thread);
    EXPECT_EQ(code, 0u);

    // The deep use made its 512 KB resident; none of it is left.
    EXPECT_GE(seen.residentBefore, 100);
    EXPECT_EQ(seen.residentAfter, 0);
    EXPECT_TRUE(seen.callerFrameKept);
    EXPECT_TRUE(seen.deepUseAfter);
}
