#include "framework/TThread.h"
#include "framework/TTimer.h"
#include "tests/support/MessagePump.h"

#include <gtest/gtest.h>
#include <stdexcept>

TEST(Timer, FiresRepeatedlyFromTheMessageLoopOnlyWhileEnabled)
{
    TComponent owner(nullptr);
    auto* timer = new TTimer(&owner);
    timer->SetEnabled(false);
    timer->SetInterval(20);
    int ticks = 0;
    DWORD tickThread = 0;
    timer->OnTimer = [&](TObject* sender) {
        EXPECT_EQ(sender, timer);
        tickThread = GetCurrentThreadId();
        ++ticks;
    };
    PumpFor(150);
    EXPECT_EQ(ticks, 0) << "a disabled timer fired";

    timer->SetEnabled(true);
    ASSERT_TRUE(PumpUntil([&] { return ticks >= 3; }));
    EXPECT_EQ(tickThread, GetCurrentThreadId());

    timer->SetEnabled(false);
    const int stopped = ticks;
    PumpFor(150);
    EXPECT_EQ(ticks, stopped) << "the timer kept firing after it was disabled";
}

TEST(Timer, FreedTimerNeverFiresAgain)
{
    TComponent owner(nullptr);
    int ticks = 0;
    auto* timer = new TTimer(&owner);
    timer->SetInterval(10);
    timer->OnTimer = [&](TObject*) { ++ticks; };
    delete timer;
    PumpFor(100);
    EXPECT_EQ(ticks, 0);
    EXPECT_EQ(owner.ComponentCount(), 0);
}

TEST(Timer, TimersFireTheirOwnHandlersAndOutliveEachOther)
{
    TComponent owner(nullptr);
    auto* fast = new TTimer(&owner);
    fast->SetInterval(15);
    auto* slow = new TTimer(&owner);
    slow->SetInterval(120);
    int fastTicks = 0;
    int slowTicks = 0;
    fast->OnTimer = [&](TObject* sender) {
        EXPECT_EQ(sender, fast);
        ++fastTicks;
    };
    slow->OnTimer = [&](TObject* sender) {
        EXPECT_EQ(sender, slow);
        ++slowTicks;
    };
    ASSERT_TRUE(PumpUntil([&] { return slowTicks >= 1 && fastTicks >= 3; }));

    // Freeing one timer leaves the other running; a new one runs too.
    delete fast;
    const int slowBefore = slowTicks;
    auto* late = new TTimer(&owner);
    late->SetInterval(15);
    int lateTicks = 0;
    late->OnTimer = [&](TObject*) { ++lateTicks; };
    EXPECT_TRUE(PumpUntil([&] { return slowTicks > slowBefore && lateTicks >= 2; }));
}

namespace {

struct ThreadRecord {
    DWORD executeThread = 0;
    DWORD terminateThread = 0;
    bool destroyed = false;
};

class RecordingThread : public TThread {
public:
    explicit RecordingThread(ThreadRecord& record) : TThread(true), m_record(record) {}
    ~RecordingThread() override { m_record.destroyed = true; }

protected:
    void Execute() override
    {
        m_record.executeThread = GetCurrentThreadId();
        SetReturnValue(42);
    }

private:
    ThreadRecord& m_record;
};

class SynchronizingThread : public TThread {
public:
    SynchronizingThread() : TThread(true) {}
    DWORD syncThread = 0;
    bool rethrown = false;

protected:
    void Execute() override
    {
        Synchronize([this] { syncThread = GetCurrentThreadId(); });
        try {
            Synchronize([] { throw std::runtime_error("from the main thread"); });
        } catch (const std::runtime_error&) {
            rethrown = true;
        }
    }
};

class LoopingThread : public TThread {
public:
    LoopingThread() : TThread(false) {}

protected:
    void Execute() override
    {
        while (!Terminated())
            Sleep(5);
    }
};

} // namespace

TEST(Thread, OnTerminateRunsOnTheMainThreadAndFreeOnTerminateFrees)
{
    ThreadRecord record;
    auto* thread = new RecordingThread(record);
    thread->SetFreeOnTerminate(true);
    thread->OnTerminate = [&](TObject* sender) {
        EXPECT_EQ(sender, thread);
        EXPECT_FALSE(record.destroyed);
        record.terminateThread = GetCurrentThreadId();
    };
    Sleep(50);
    EXPECT_EQ(record.executeThread, 0u) << "a suspended thread ran before Start";
    thread->Start();

    ASSERT_TRUE(PumpUntil([&] { return record.destroyed; }));
    EXPECT_NE(record.executeThread, 0u);
    EXPECT_NE(record.executeThread, GetCurrentThreadId());
    EXPECT_EQ(record.terminateThread, GetCurrentThreadId());
}

TEST(Thread, DeletedBeforeItsNoticeArrivesIsNotTouchedByTheNotice)
{
    ThreadRecord record;
    bool terminated = false;
    auto* thread = new RecordingThread(record);
    thread->OnTerminate = [&](TObject*) { terminated = true; };
    thread->Start();
    EXPECT_EQ(thread->WaitFor(), 42);
    delete thread;
    PumpFor(100);
    EXPECT_TRUE(record.destroyed);
    EXPECT_FALSE(terminated);
}

TEST(Thread, SynchronizeRunsOnTheMainThreadAndRethrows)
{
    SynchronizingThread thread;
    thread.Start();
    thread.WaitFor();
    EXPECT_EQ(thread.syncThread, GetCurrentThreadId());
    EXPECT_TRUE(thread.rethrown);
}

TEST(Thread, DestructorStopsARunningBody)
{
    auto* thread = new LoopingThread;
    Sleep(20);
    EXPECT_FALSE(thread->Finished());
    delete thread;  // returns only once the body saw Terminated
}
