// The idle watcher over a scripted clock and input history.

#include "engine/IdleWatcher.h"
#include "engine/ModeExtras.h"
#include "framework/system/Trace.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

DWORD now = 0;
DWORD lastInput = 0;
bool inputKnown = true;

DWORD Now()
{
    return now;
}

bool LastInput(DWORD* tick)
{
    *tick = lastInput;
    return inputKnown;
}

std::vector<std::string> traced;
void Collect(const char* line)
{
    traced.emplace_back(line);
}

class IdleWatcherTest : public testing::Test {
protected:
    void SetUp() override
    {
        now = 1000;
        lastInput = 1000;
        inputKnown = true;
    }
};

TEST_F(IdleWatcherTest, FiresOncePerIdlePeriodAndRearmsOnInput)
{
    IdleWatcher watcher(&Now, &LastInput);
    ApplyIdleTimeout(watcher, 60000);
    now += 60000; // exactly the time-out is not yet idle
    EXPECT_FALSE(watcher.Poll());
    now += 1;
    EXPECT_TRUE(watcher.Poll());
    now += 5000;
    EXPECT_FALSE(watcher.Poll());
    now += 500000;
    EXPECT_FALSE(watcher.Poll());

    lastInput = now; // the user is back
    EXPECT_FALSE(watcher.Poll());
    now += 60001;
    EXPECT_TRUE(watcher.Poll());
}

TEST_F(IdleWatcherTest, NewModeLetsTheActionFireAgainWithoutInput)
{
    IdleWatcher watcher(&Now, &LastInput);
    ApplyIdleTimeout(watcher, 60000);
    now += 70000;
    EXPECT_TRUE(watcher.Poll());
    EXPECT_FALSE(watcher.Poll());

    // A new mode with a longer time-out measures from its own start.
    ApplyIdleTimeout(watcher, 120000);
    now += 100000;
    EXPECT_FALSE(watcher.Poll());
    now += 20001;
    EXPECT_TRUE(watcher.Poll());

    // Only the time-out changes: the idle period already exceeds it.
    watcher.SetTimeout(90000);
    EXPECT_TRUE(watcher.Poll());
}

TEST_F(IdleWatcherTest, ShortTimeoutsTurnTheWatcherOff)
{
    IdleWatcher watcher(&Now, &LastInput);
    ApplyIdleTimeout(watcher, 60000);
    EXPECT_TRUE(watcher.IsEnabled());
    EXPECT_EQ(watcher.Timeout(), 60000u);

    ApplyIdleTimeout(watcher, 59999);
    EXPECT_FALSE(watcher.IsEnabled());
    now += 10000000;
    EXPECT_FALSE(watcher.Poll());
    EXPECT_FALSE(watcher.Poll());

    IdleWatcher fresh(&Now, &LastInput);
    EXPECT_FALSE(fresh.IsEnabled()); // off until a mode arms it
    EXPECT_EQ(fresh.Timeout(), 200000u);
    EXPECT_FALSE(fresh.Poll());
}

TEST_F(IdleWatcherTest, TickWrapAroundKeepsMeasuring)
{
    now = 0xFFFFF000;
    lastInput = 0xFFFFF000;
    IdleWatcher watcher(&Now, &LastInput);
    ApplyIdleTimeout(watcher, 60000);
    now = 0x00001000; // 8192 ms later, past the wrap
    EXPECT_FALSE(watcher.Poll());
    now = 0x0000F000; // 65536 ms after the last input
    EXPECT_TRUE(watcher.Poll());

    // Input just before the wrap is newer than a mark from before it.
    now = 0xFFFFFF00;
    lastInput = 0xFFFFFF00;
    IdleWatcher other(&Now, &LastInput);
    ApplyIdleTimeout(other, 60000);
    lastInput = 0x00000010;
    now = 0x00000010 + 60000;
    EXPECT_FALSE(other.Poll()); // idle counts from the new input
    now += 1;
    EXPECT_TRUE(other.Poll());
}

TEST_F(IdleWatcherTest, InputOlderThanTheRestartDoesNotCount)
{
    lastInput = 10;
    now = 50000000;
    IdleWatcher watcher(&Now, &LastInput);
    ApplyIdleTimeout(watcher, 60000);
    now += 30000;
    EXPECT_FALSE(watcher.Poll()); // 30 s since the mode was set, not 50000 s
    now += 30001;
    EXPECT_TRUE(watcher.Poll());
}

TEST_F(IdleWatcherTest, UnknownInputTimeNeverFires)
{
    IdleWatcher watcher(&Now, &LastInput);
    ApplyIdleTimeout(watcher, 60000);
    inputKnown = false;
    now += 1000000;
    EXPECT_FALSE(watcher.Poll());
    inputKnown = true;
    EXPECT_TRUE(watcher.Poll());
}

TEST_F(IdleWatcherTest, EachPollTracesClockMarkAndTimeout)
{
    IdleWatcher watcher(&Now, &LastInput);
    ApplyIdleTimeout(watcher, 60000);
    now = 5000;
    lastInput = 4000;
    traced.clear();
    SetTraceObserver(&Collect);
    watcher.Poll();
    SetTraceObserver(nullptr);
    ASSERT_EQ(traced.size(), 1u);
    EXPECT_EQ(traced[0], "Current Time 5000, Last Input Time 4000, Idle Time 60000\r\n");
}

} // namespace
