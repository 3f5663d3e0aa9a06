#include "ipc/SysCtrlPipeClient.h"
#include "tests/pipes/PipeTestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace pipetest;

namespace {
constexpr const char* kOverclockItem = "0x09080000";

// This executable's own board: every board program it starts inherits it.
const BoardStateFile& OwnBoard()
{
    static BoardStateFile board("pipes");
    return board;
}
const bool kBoardReady = (OwnBoard(), true);

class SystemControl : public testing::Test {
protected:
    void Start(const std::string& arguments)
    {
        service_ = std::make_unique<PeerProcess>("syscontrol.exe", arguments);
        ASSERT_TRUE(service_->IsRunning());
        ASSERT_TRUE(WaitForPipe("VANTOR SYSTEM CONTROL PIPE", 10000));
    }

    kelp::SysCtrlPipeClient& client_ = kelp::SysCtrlPipeClient::Instance();
    std::unique_ptr<PeerProcess> service_;
};

// The interface word boardctl reports, e.g. "interface version: 3 (0x03000001)".
uint32_t BoardInterfaceWord()
{
    const std::string shown = RunProgram("boardctl.exe", "show");
    const size_t at = shown.find("interface version: ");
    const size_t open = shown.find('(', at);
    if (at == std::string::npos || open == std::string::npos)
        return 0;
    return static_cast<uint32_t>(std::strtoul(shown.c_str() + open + 1, nullptr, 16));
}
} // namespace

TEST_F(SystemControl, ReportsTheBoardsOverclockState)
{
    ASSERT_TRUE(kBoardReady);
    ASSERT_EQ(RunProgram("boardctl.exe", std::string("set ") + kOverclockItem + " 3"), "");
    Start("");
    TraceCapture traces;
    uint32_t state = 0, second = 0;
    ASSERT_TRUE(client_.GetOcState(state, second));
    EXPECT_EQ(state, 3u);
    const uint32_t interfaceWord = BoardInterfaceWord();
    EXPECT_NE(interfaceWord, 0u);
    EXPECT_EQ(second, interfaceWord);

    ASSERT_EQ(RunProgram("boardctl.exe", std::string("set ") + kOverclockItem + " 1"), "");
    ASSERT_TRUE(client_.GetOcState(state, second));
    EXPECT_EQ(state, 1u);
    EXPECT_TRUE(traces.Lines().empty());

    // Anything but the one request is refused.
    std::vector<uint8_t> reply;
    ASSERT_TRUE(RawCall("VANTOR SYSTEM CONTROL PIPE", Words({0x80000002}), reply));
    EXPECT_EQ(reply, Words({0}));
    ASSERT_TRUE(RawCall("VANTOR SYSTEM CONTROL PIPE", {1, 0, 0}, reply));
    EXPECT_EQ(reply, Words({0}));
}

TEST_F(SystemControl, EightByteReplyIsNoAnswer)
{
    Start("--reply short");
    std::vector<uint8_t> reply;
    ASSERT_TRUE(RawCall("VANTOR SYSTEM CONTROL PIPE", Words({0x80000001}), reply));
    EXPECT_EQ(reply.size(), 8u);
    uint32_t state = 77, second = 77;
    EXPECT_FALSE(client_.GetOcState(state, second));
    EXPECT_EQ(state, 77u);
    EXPECT_EQ(second, 77u);
}

TEST_F(SystemControl, HungServiceCostsTenSecondsThenBlocksCallsUntilItAnswers)
{
    Start("--reply hang");
    TraceCapture traces;
    uint32_t state = 0, second = 0;
    const double start = NowMs();
    EXPECT_FALSE(client_.GetOcState(state, second));
    const double waited = NowMs() - start;
    EXPECT_GE(waited, 9900.0);
    EXPECT_LT(waited, 12000.0);
    EXPECT_EQ(traces.Count("CallSysCtrlService Failed, Waiting error or Timeout.\r\n"), 1u);

    const double again = NowMs();
    EXPECT_FALSE(client_.GetOcState(state, second));
    EXPECT_LT(NowMs() - again, 1000.0);
    EXPECT_EQ(traces.Count("CallSysCtrlService Failed, the previous request is not completed yet.\r\n"), 1u);

    // A service that goes away ends the stuck transaction too.
    EXPECT_EQ(service_->Control("quit"), "ok");
    EXPECT_EQ(service_->WaitForExit(10000), 0);
    traces.Clear();
    bool free = false;
    for (int i = 0; i < 50 && !free; ++i) {
        client_.GetOcState(state, second);
        free = traces.Count("previous request") == 0;
        traces.Clear();
        if (!free)
            Sleep(100);
    }
    EXPECT_TRUE(free);
}

TEST(SystemControlAbsent, FailsQuicklyWithOnlyThePipeTrace)
{
    TraceCapture traces;
    uint32_t state = 0, second = 0;
    const double start = NowMs();
    EXPECT_FALSE(kelp::SysCtrlPipeClient::Instance().GetOcState(state, second));
    EXPECT_LT(NowMs() - start, 3000.0);
    EXPECT_EQ(traces.Count("[BasicNamedPipe<char_t>::Call] failed, GetLastError returned 2\r\n"), 1u);
    EXPECT_EQ(traces.Count("CallSysCtrlService"), 0u);
}
