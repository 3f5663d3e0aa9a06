#include "ipc/OrdunPipeServerThread.h"
#include "ipc/OrdunProtocol.h"
#include "ipc/VgaServer.h"
#include "ipc/WorkerThread.h"
#include "tests/pipes/PipeTestSupport.h"

#include <gtest/gtest.h>

#include <memory>

using namespace pipetest;
namespace ordun = kelp::ordun;

namespace {
constexpr UINT kPipeEvent = 1054;
constexpr const char* kTimeoutTrace = "[OrdunPipeClient::Call] Failed, Waiting error or Timeout.\r\n";
constexpr const char* kBusyTrace =
    "[OrdunPipeClient::Call] Failed, the previous request is not completed yet.\r\n";

// The program's side (board pipe server and the graphics client) against a
// companion process.
class Companion : public testing::Test {
protected:
    void SetUp() override
    {
        server_ = std::make_unique<kelp::OrdunPipeServerThread>(sink_.Window(), kPipeEvent);
        ASSERT_TRUE(WaitForPipe(ordun::kBoardPipeName, 5000));
    }

    // Starts the companion and waits for its "present" notification.
    void Start(const std::string& arguments)
    {
        companion_ = std::make_unique<PeerProcess>("vgacompanion.exe", arguments);
        ASSERT_TRUE(companion_->IsRunning());
        ASSERT_TRUE(sink_.WaitFor(ordun::kVgaConnected, 10000));
        sink_.Clear();
    }

    kelp::GpuLib& gpu_ = kelp::VgaServer::Instance();
    MessageSink sink_{kPipeEvent};
    std::unique_ptr<kelp::OrdunPipeServerThread> server_;
    std::unique_ptr<PeerProcess> companion_;
};
} // namespace

TEST_F(Companion, ReportsStartChangesAndEndOnTheBoardPipe)
{
    Start("--sync 1 --mode 0 --version 0x00020001");
    EXPECT_TRUE(gpu_.HasVersion());
    EXPECT_TRUE(gpu_.IsSyncEnabled());
    EXPECT_TRUE(gpu_.IsServerAvailable());

    EXPECT_EQ(companion_->Control("mode 2"), "ok");
    EXPECT_TRUE(sink_.WaitFor(ordun::kVgaModeChanged, 5000));
    uint32_t mode = 99;
    EXPECT_TRUE(gpu_.GetVgaMode(mode));
    EXPECT_EQ(mode, 2u);

    EXPECT_EQ(companion_->Control("sync toggle"), "ok");
    EXPECT_TRUE(sink_.WaitFor(ordun::kVgaSyncChanged, 5000));
    EXPECT_FALSE(gpu_.IsSyncEnabled());
    EXPECT_EQ(companion_->Control("sync on"), "ok");
    EXPECT_TRUE(gpu_.IsSyncEnabled());

    EXPECT_EQ(companion_->Control("mode two"), "error: mode needs a number");
    EXPECT_EQ(companion_->Control("dance"), "error: unknown command");

    sink_.Clear();
    EXPECT_EQ(companion_->Control("quit"), "ok");
    EXPECT_EQ(companion_->WaitForExit(10000), 0);
    EXPECT_TRUE(sink_.WaitFor(ordun::kVgaDisconnected, 5000));
    TraceCapture traces;
    EXPECT_FALSE(gpu_.IsServerAvailable());
    EXPECT_EQ(traces.Count("[BasicNamedPipe<char_t>::IsServerAvailable] failed"), 1u);
}

TEST_F(Companion, AnswersEveryGraphicsRequest)
{
    Start("--caps 5 --power 40000");
    TraceCapture traces;
    EXPECT_TRUE(gpu_.SetVgaMode(0x80000001)); // Auto, running at Medium Power Saving
    uint32_t mode = 0;
    EXPECT_TRUE(gpu_.GetVgaMode(mode));
    EXPECT_EQ(mode, 0x80000001u);

    kelp::VgaCapability capability;
    ASSERT_TRUE(gpu_.QueryVgaCapability(capability));
    EXPECT_EQ(capability.flags, 5u);
    EXPECT_EQ(capability.value, 34000u); // 40 W less 15 %
    EXPECT_TRUE(gpu_.HasFlagBit0(capability.flags));
    EXPECT_FALSE(gpu_.HasFlagBit1(capability.flags));
    EXPECT_TRUE(gpu_.HasFlagBit2(capability.flags));

    const uint32_t modes[] = {0x4000, 0, 1, 2};
    const uint32_t savings[] = {0, 0, 1500, 3000};
    for (int i = 0; i < 4; ++i) {
        uint32_t value = 77;
        EXPECT_TRUE(gpu_.GetVgaModeValue(modes[i], value));
        EXPECT_EQ(value, savings[i]) << modes[i];
    }
    uint32_t value = 77;
    EXPECT_FALSE(gpu_.GetVgaModeValue(0x1234, value)); // not a mode: result 0
    EXPECT_EQ(value, 77u);
    EXPECT_TRUE(traces.Lines().empty());
}

TEST_F(Companion, ResultOnlyRepliesFailEveryQuery)
{
    Start("--reply short");
    TraceCapture traces;
    EXPECT_TRUE(gpu_.SetVgaMode(1)); // needs nothing beyond the result
    uint32_t mode = 55, value = 55;
    EXPECT_FALSE(gpu_.GetVgaMode(mode));
    EXPECT_EQ(mode, 55u);
    kelp::VgaCapability capability;
    EXPECT_FALSE(gpu_.QueryVgaCapability(capability));
    EXPECT_FALSE(gpu_.GetVgaModeValue(2, value));
    EXPECT_TRUE(traces.Lines().empty());

    EXPECT_EQ(companion_->Control("reply normal"), "ok");
    EXPECT_TRUE(gpu_.GetVgaMode(mode));
    EXPECT_EQ(mode, 1u);
}

TEST_F(Companion, SilentCompanionCostsTenSecondsThenBlocksCallsUntilItAnswers)
{
    Start("--reply hang");
    TraceCapture traces;
    uint32_t mode = 0;
    const double start = NowMs();
    EXPECT_FALSE(gpu_.GetVgaMode(mode));
    const double waited = NowMs() - start;
    EXPECT_GE(waited, 9900.0);
    EXPECT_LT(waited, 12000.0);
    EXPECT_EQ(traces.Count(kTimeoutTrace), 1u);

    // The transaction is still running: further calls fail at once.
    const double again = NowMs();
    EXPECT_FALSE(gpu_.SetVgaMode(2));
    EXPECT_FALSE(gpu_.GetVgaMode(mode));
    EXPECT_LT(NowMs() - again, 1000.0);
    EXPECT_EQ(traces.Count(kBusyTrace), 2u);
    EXPECT_EQ(traces.Count(kTimeoutTrace), 1u);

    // Once the companion answers the old request, calls go through again.
    EXPECT_EQ(companion_->Control("reply normal"), "ok");
    bool answered = false;
    for (int i = 0; i < 50 && !answered; ++i) {
        answered = gpu_.SetVgaMode(2);
        if (!answered)
            Sleep(100);
    }
    EXPECT_TRUE(answered);
    EXPECT_TRUE(gpu_.GetVgaMode(mode));
    EXPECT_EQ(mode, 2u);
}

TEST(CompanionAbsent, CallsFailAtOnceWithoutClientTraces)
{
    TraceCapture traces;
    kelp::GpuLib& gpu = kelp::VgaServer::Instance();
    const double start = NowMs();
    EXPECT_FALSE(gpu.SetVgaMode(0));
    uint32_t mode = 0;
    EXPECT_FALSE(gpu.GetVgaMode(mode));
    EXPECT_LT(NowMs() - start, 3000.0);
    EXPECT_EQ(traces.Count("[BasicNamedPipe<char_t>::Call] failed, GetLastError returned 2\r\n"), 2u);
    EXPECT_EQ(traces.Count("[OrdunPipeClient::Call]"), 0u);
}

// Replies the companion would never send, served from this process.
TEST(CompanionReplies, OnlyACompleteResultWordOfOneIsSuccess)
{
    std::vector<uint8_t> next;
    kelp::MessagePipeServer server([&next](const uint8_t*, DWORD) { return next; }, 64);
    ASSERT_TRUE(server.Create(ordun::kVgaPipeName, false));
    kelp::OwnedHandle stop(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    kelp::WorkerThread serving([&] { server.Serve(stop.Get()); });
    kelp::GpuLib& gpu = kelp::VgaServer::Instance();

    // A result word cut short must not be completed from an earlier reply.
    uint32_t mode = 0;
    next = Words({1, 0x4000});
    ASSERT_TRUE(gpu.GetVgaMode(mode));
    next = {1, 0};
    EXPECT_FALSE(gpu.SetVgaMode(0));
    next = Words({2, 0x4000});
    EXPECT_FALSE(gpu.GetVgaMode(mode));

    // A reply longer than the client's buffer still counts by its start.
    next = Words({1, 2});
    next.resize(300, 0xEE);
    mode = 0;
    EXPECT_TRUE(gpu.GetVgaMode(mode));
    EXPECT_EQ(mode, 2u);

    SetEvent(stop.Get());
    EXPECT_TRUE(serving.Wait(5000));
}
