// The hand-over between the pipe threads and the window's thread: a reply
// reaches the thread that waits for it, a late one is dropped, and numbers
// nobody handed out find nothing.

#include "ipc/ControlMailbox.h"
#include "tests/pipes/PipeTestSupport.h"

#include <gtest/gtest.h>

#include <thread>

using namespace kelp::control;

namespace {
constexpr UINT kMessage = WM_USER + 60;
constexpr WPARAM kTag = 85;

Job StatusJob()
{
    return Job{Job::Phase::Ask, Request{Command::Status}};
}
} // namespace

TEST(ControlMailbox, RepliesReachTheirWaiterAndLateOnesAreDropped)
{
    pipetest::MessageSink sink(kMessage);
    ControlMailbox mailbox(sink.Window(), kMessage, kTag);

    // Answered while the pipe thread waits.
    Reply answered;
    std::thread waiter([&] { answered = mailbox.Relay(StatusJob(), 5000); });
    ASSERT_TRUE(sink.WaitFor(kTag, 5000));
    const LPARAM number = sink.Received().back().lParam;
    EXPECT_FALSE(mailbox.Take(number + 1000));
    ASSERT_TRUE(mailbox.Take(number));
    EXPECT_FALSE(mailbox.Take(number)) << "a job is handed out once";
    Reply reply = Answer(Command::Status, Outcome::Done);
    reply.status.level = 2;
    mailbox.Deliver(number, reply);
    waiter.join();
    EXPECT_EQ(answered.outcome, Outcome::Done);
    EXPECT_EQ(answered.status.level, 2u);

    // Nobody answers in time: the waiter gives up, and the late reply
    // finds no ticket.
    sink.Clear();
    const Reply late = mailbox.Relay(StatusJob(), 100);
    EXPECT_EQ(late.outcome, Outcome::TimedOut);
    sink.Pump(50);
    ASSERT_FALSE(sink.Received().empty());
    const LPARAM lateNumber = sink.Received().back().lParam;
    EXPECT_FALSE(mailbox.Take(lateNumber));
    mailbox.Deliver(lateNumber, reply);
}
