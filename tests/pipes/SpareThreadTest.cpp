#include "ipc/OwnedHandle.h"
#include "ipc/SpareThread.h"
#include "tests/support/StackPages.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <memory>

namespace {
kelp::OwnedHandle NewEvent()
{
    return kelp::OwnedHandle(CreateEventA(nullptr, TRUE, FALSE, nullptr));
}

// Runs a job that records its thread and waits until it has run.
DWORD ThreadOfJob(kelp::SpareThread& spare)
{
    const kelp::OwnedHandle done = NewEvent();
    std::atomic<DWORD> thread{0};
    EXPECT_TRUE(spare.Run([&] {
        thread = GetCurrentThreadId();
        SetEvent(done.Get());
    }));
    EXPECT_EQ(WaitForSingleObject(done.Get(), 5000), WAIT_OBJECT_0);
    return thread;
}
} // namespace

TEST(SpareThread, RunsJobsOneAfterAnotherOnTheSameWaitingThread)
{
    kelp::SpareThread spare;
    Sleep(100); // until the spare waits
    const DWORD first = ThreadOfJob(spare);
    EXPECT_NE(first, GetCurrentThreadId());
    for (int i = 0; i < 3; ++i) {
        Sleep(100); // until the spare waits again
        EXPECT_EQ(ThreadOfJob(spare), first);
    }
}

TEST(SpareThread, TheFirstJobStartsTheSpareThatServesTheLaterOnes)
{
    kelp::SpareThread spare;
    const DWORD first = ThreadOfJob(spare);
    EXPECT_NE(first, GetCurrentThreadId());
    Sleep(100); // until the spare waits
    EXPECT_EQ(ThreadOfJob(spare), first);
}

TEST(SpareThread, AJobHandedOverWhileTheSpareHangsRunsOnItsOwnThread)
{
    const kelp::OwnedHandle release = NewEvent();
    const kelp::OwnedHandle hung = NewEvent();
    std::atomic<DWORD> hangingThread{0};
    std::atomic<bool> hangEnded{false};
    {
        kelp::SpareThread spare;
        Sleep(100);
        ASSERT_TRUE(spare.Run([&] {
            hangingThread = GetCurrentThreadId();
            SetEvent(hung.Get());
            WaitForSingleObject(release.Get(), INFINITE);
            hangEnded = true;
        }));
        ASSERT_EQ(WaitForSingleObject(hung.Get(), 5000), WAIT_OBJECT_0);

        const DWORD other = ThreadOfJob(spare);
        EXPECT_NE(other, 0u);
        EXPECT_NE(other, hangingThread.load());
        EXPECT_FALSE(hangEnded);
    }
    // The spare went away while busy: its job still ends normally.
    SetEvent(release.Get());
    for (int i = 0; i < 100 && !hangEnded; ++i)
        Sleep(20);
    EXPECT_TRUE(hangEnded);
}

TEST(SpareThread, AnIdleSpareGivesBackItsStackAndServesTheNextJob)
{
    kelp::SpareThread spare(50);
    const kelp::OwnedHandle done = NewEvent();
    std::atomic<DWORD> first{0};
    uintptr_t deepest = 0, top = 0;
    ASSERT_TRUE(spare.Run([&] {
        first = GetCurrentThreadId();
        top = reinterpret_cast<uintptr_t>(__builtin_frame_address(0)) - 64 * 1024;
        testsupport::UseStack(512 * 1024, deepest);
        SetEvent(done.Get());
    }));
    ASSERT_EQ(WaitForSingleObject(done.Get(), 5000), WAIT_OBJECT_0);
    const kelp::OwnedHandle thread(OpenThread(SYNCHRONIZE, FALSE, first));
    ASSERT_TRUE(thread.IsValid());
    EXPECT_GE(testsupport::ResidentPages(deepest, top), 100);

    int resident = -1;
    for (int i = 0; i < 100 && resident != 0; ++i) {
        Sleep(20);
        resident = testsupport::ResidentPages(deepest, top);
    }
    EXPECT_EQ(resident, 0);
    // Idle, the spare still waits: the next job runs on it, stack and all.
    EXPECT_EQ(WaitForSingleObject(thread.Get(), 0), WAIT_TIMEOUT);
    std::atomic<DWORD> next{0};
    std::atomic<bool> deepUse{false};
    ResetEvent(done.Get());
    ASSERT_TRUE(spare.Run([&] {
        next = GetCurrentThreadId();
        uintptr_t lowest = 0;
        deepUse = testsupport::UseStack(512 * 1024, lowest);
        SetEvent(done.Get());
    }));
    ASSERT_EQ(WaitForSingleObject(done.Get(), 5000), WAIT_OBJECT_0);
    EXPECT_EQ(next, first);
    EXPECT_TRUE(deepUse);
}

TEST(SpareThread, JobsHandedOverJustAsTheSpareGoesIdleAllRunOnce)
{
    // With an idle time of a millisecond, many of these hand-overs meet the
    // spare between its time-out and its wait without one.
    kelp::SpareThread spare(1);
    const kelp::OwnedHandle done(CreateEventA(nullptr, FALSE, FALSE, nullptr));
    std::atomic<int> runs{0};
    for (int i = 0; i < 300; ++i) {
        Sleep(i % 3);
        ASSERT_TRUE(spare.Run([&] {
            ++runs;
            SetEvent(done.Get());
        }));
        ASSERT_EQ(WaitForSingleObject(done.Get(), 5000), WAIT_OBJECT_0) << "job " << i << " never ran";
    }
    EXPECT_EQ(runs, 300);
}
