#include "ipc/OrdunPipeServerThread.h"
#include "ipc/OrdunProtocol.h"
#include "tests/pipes/ImportPatch.h"
#include "tests/pipes/PipeTestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <memory>
#include <random>
#include <thread>

using namespace pipetest;
using PipePatch = pipetest::ImportPatch;
namespace ordun = kelp::ordun;

namespace {
constexpr UINT kPipeEvent = 1054;

class BoardPipeServer : public testing::Test {
protected:
    void SetUp() override
    {
        server_ = std::make_unique<kelp::OrdunPipeServerThread>(sink_.Window(), kPipeEvent);
        ASSERT_TRUE(WaitForPipe(ordun::kBoardPipeName, 5000));
    }

    // One request; the 4-byte result, or ~0 when the call failed or the
    // reply had another size.
    static uint32_t Ask(const std::vector<uint8_t>& request)
    {
        std::vector<uint8_t> reply;
        if (!RawCall(ordun::kBoardPipeName, request, reply) || reply.size() != 4)
            return ~0u;
        return WordAt(reply, 0);
    }

    MessageSink sink_{kPipeEvent};
    std::unique_ptr<kelp::OrdunPipeServerThread> server_;
};
} // namespace

TEST_F(BoardPipeServer, NotificationsAreAnsweredAndPosted)
{
    for (uint32_t command : {ordun::kVgaConnected, ordun::kVgaDisconnected, ordun::kVgaSyncChanged,
                             ordun::kVgaModeChanged}) {
        sink_.Clear();
        EXPECT_EQ(Ask(Words({command})), 1u) << std::hex << command;
        ASSERT_TRUE(sink_.WaitFor(command, 2000)) << std::hex << command;
        EXPECT_EQ(sink_.Received().size(), 1u);
        EXPECT_EQ(sink_.Received()[0].lParam, 0);
    }

    // Bytes after the command do not matter, nor does a request longer
    // than the pipe's buffer.
    sink_.Clear();
    EXPECT_EQ(Ask(Words({ordun::kVgaModeChanged, 0xDEADBEEF, 7})), 1u);
    std::vector<uint8_t> huge(0x5000, 0xAB);
    std::memcpy(huge.data(), &ordun::kVgaDisconnected, 4);
    EXPECT_EQ(Ask(huge), 1u);
    sink_.Pump(300);
    ASSERT_EQ(sink_.Received().size(), 2u);
    EXPECT_EQ(sink_.Received()[0].wParam, ordun::kVgaModeChanged);
    EXPECT_EQ(sink_.Received()[1].wParam, ordun::kVgaDisconnected);
}

TEST_F(BoardPipeServer, ShortAndUnknownRequestsAreAnsweredZeroAndPostNothing)
{
    TraceCapture traces;
    EXPECT_EQ(Ask({0x00, 0x10, 0x00}), 0u);
    EXPECT_EQ(Ask({}), 0u);
    EXPECT_EQ(Ask(Words({0x00001002})), 0u);
    EXPECT_EQ(Ask(Words({0x10001001, 0})), 0u);
    sink_.Pump(300);
    EXPECT_TRUE(sink_.Received().empty());
    EXPECT_EQ(traces.Count("~~~[Ordun PIPE Service] MB Pipe Server can not handle the command 1002\r\n"), 1u);
    EXPECT_EQ(traces.Count("can not handle the command 10001001\r\n"), 1u);
    EXPECT_EQ(traces.Count("can not handle"), 2u);
}

// A client that connects and sends nothing is dropped long before a client
// that is still sending or reading would be: one such client reconnecting
// in a loop must not keep the single instance from the companion.
TEST_F(BoardPipeServer, SilentClientIsDroppedSoonerThanTheClientLimit)
{
    const std::string path = std::string("\\\\.\\PIPE\\") + ordun::kBoardPipeName;
    for (int round = 0; round < 3; ++round) {
        kelp::OwnedHandle silent(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                             OPEN_EXISTING, 0, nullptr));
        if (!silent.IsValid()) {
            WaitNamedPipeA(path.c_str(), 5000);
            continue;
        }
        const double connected = NowMs();
        char byte = 0;
        DWORD read = 0;
        // Blocks until the server disconnects this client.
        EXPECT_FALSE(ReadFile(silent.Get(), &byte, 1, &read, nullptr));
        EXPECT_LT(NowMs() - connected, double(kelp::MessagePipeServer::kClientTimeoutMs)) << round;
    }
    EXPECT_EQ(Ask(Words({ordun::kVgaConnected})), 1u);
}

TEST_F(BoardPipeServer, StalledClientsDoNotBlockTheServer)
{
    const std::string path = std::string("\\\\.\\PIPE\\") + ordun::kBoardPipeName;
    // Connects and never sends a request.
    kelp::OwnedHandle silent(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                         OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(silent.IsValid());
    const double start = NowMs();
    EXPECT_EQ(Ask(Words({ordun::kVgaConnected})), 1u);
    EXPECT_LT(NowMs() - start, kelp::MessagePipeServer::kClientTimeoutMs + 3000.0);

    // Sends a request and never reads the reply.
    kelp::OwnedHandle deaf;
    for (int attempt = 0; attempt < 50 && !deaf.IsValid(); ++attempt) {
        deaf.Reset(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                               OPEN_EXISTING, 0, nullptr));
        if (!deaf.IsValid())
            WaitNamedPipeA(path.c_str(), 1000);
    }
    ASSERT_TRUE(deaf.IsValid());
    DWORD written = 0;
    const std::vector<uint8_t> request = Words({ordun::kVgaSyncChanged});
    ASSERT_TRUE(WriteFile(deaf.Get(), request.data(), 4, &written, nullptr));
    const double second = NowMs();
    EXPECT_EQ(Ask(Words({ordun::kVgaConnected})), 1u);
    EXPECT_LT(NowMs() - second, kelp::MessagePipeServer::kClientTimeoutMs + 3000.0);
}

TEST(BoardPipeServerStart, TakenPipeNameIsTriedAgainUntilItIsFree)
{
    // Someone else serves the name: the server traces, keeps trying, and
    // serves as soon as the name is free.
    auto squatter = std::make_unique<kelp::NamedPipeA>();
    ASSERT_TRUE(squatter->Create(ordun::kBoardPipeName, PIPE_ACCESS_DUPLEX, PIPE_TYPE_MESSAGE, 1, 64, 64, 0,
                                 nullptr));
    TraceCapture traces;
    MessageSink sink(kPipeEvent);
    kelp::OrdunPipeServerThread server(sink.Window(), kPipeEvent);
    for (int i = 0; i < 500 && traces.Count("MB Pipe Server can not create the pipe, retrying") == 0; ++i)
        Sleep(10);
    EXPECT_EQ(traces.Count("~~~[Ordun PIPE Service] MB Pipe Server can not create the pipe, retrying\r\n"), 1u);
    EXPECT_GE(traces.Count("[BasicNamedPipe::Create] failed! GetLastError returned "), 1u);

    squatter.reset();
    ASSERT_TRUE(WaitForPipe(ordun::kBoardPipeName, 4 * kelp::OrdunPipeServerThread::kCreateRetryMs));
    std::vector<uint8_t> reply;
    ASSERT_TRUE(RawCall(ordun::kBoardPipeName, Words({ordun::kVgaConnected}), reply));
    EXPECT_EQ(WordAt(reply, 0), 1u);
    EXPECT_TRUE(sink.WaitFor(ordun::kVgaConnected, 2000));
    EXPECT_EQ(traces.Count("gives up"), 0u);
}

TEST(BoardPipeServerStart, StoppingWhileTheNameIsTakenDoesNotWait)
{
    kelp::NamedPipeA squatter;
    ASSERT_TRUE(squatter.Create(ordun::kBoardPipeName, PIPE_ACCESS_DUPLEX, PIPE_TYPE_MESSAGE, 1, 64, 64, 0,
                                nullptr));
    TraceCapture traces;
    MessageSink sink(kPipeEvent);
    const double start = NowMs();
    {
        kelp::OrdunPipeServerThread server(sink.Window(), kPipeEvent);
        for (int i = 0; i < 500 && traces.Count("retrying") == 0; ++i)
            Sleep(10);
    }
    EXPECT_LT(NowMs() - start, 5000.0 + kelp::OrdunPipeServerThread::kCreateRetryMs);
    EXPECT_EQ(traces.Count("retrying"), 1u);
}

namespace {
std::atomic<DWORD> g_boardOpenMode{0};
const PipePatch* g_createPipe = nullptr;

HANDLE WINAPI RecordingCreateNamedPipe(LPCSTR name, DWORD openMode, DWORD pipeMode, DWORD instances, DWORD out,
                                       DWORD in, DWORD timeout, LPSECURITY_ATTRIBUTES security)
{
    if (std::string(name) == std::string("\\\\.\\PIPE\\") + ordun::kBoardPipeName)
        g_boardOpenMode = openMode;
    auto original = reinterpret_cast<decltype(&CreateNamedPipeA)>(g_createPipe->Original());
    return original(name, openMode, pipeMode, instances, out, in, timeout, security);
}
} // namespace

// Another process could otherwise add an instance of its own under the
// board pipe's name and receive the companion's notifications. Wine lets
// such an instance be created anyway, so the test looks at the request.
TEST(BoardPipeServerStart, PipeMustBeTheFirstInstanceOfItsName)
{
    PipePatch patch("kernel32.dll", "CreateNamedPipeA", reinterpret_cast<void*>(&RecordingCreateNamedPipe));
    ASSERT_TRUE(patch.IsApplied());
    g_createPipe = &patch;
    g_boardOpenMode = 0;
    MessageSink sink(kPipeEvent);
    kelp::OrdunPipeServerThread server(sink.Window(), kPipeEvent);
    ASSERT_TRUE(WaitForPipe(ordun::kBoardPipeName, 5000));
    EXPECT_TRUE(g_boardOpenMode.load() & FILE_FLAG_FIRST_PIPE_INSTANCE);
}

// Thousands of requests of random length and content, and clients that
// leave early, while one well-behaved client keeps asking: every reply that
// arrives is the right one and the well-behaved client is always served.
TEST_F(BoardPipeServer, SurvivesRandomRequestsAndEarlyDisconnects)
{
    const unsigned seed = std::random_device{}();
    RecordProperty("seed", static_cast<int>(seed));
    SCOPED_TRACE("seed " + std::to_string(seed));
    const std::string path = std::string("\\\\.\\PIPE\\") + ordun::kBoardPipeName;

    std::atomic<bool> done{false};
    std::atomic<int> wrongReplies{0}, unexpectedFailures{0}, randomAnswered{0};
    std::atomic<int> goodAnswered{0}, goodFailed{0};
    std::atomic<uint32_t> lastFailure{0};

    auto openClient = [&path] {
        for (int attempt = 0; attempt < 100; ++attempt) {
            HANDLE handle = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                        OPEN_EXISTING, 0, nullptr);
            if (handle != INVALID_HANDLE_VALUE)
                return kelp::OwnedHandle(handle);
            WaitNamedPipeA(path.c_str(), 1000);
        }
        return kelp::OwnedHandle();
    };
    // CallNamedPipe gives up when another client takes the freed instance
    // first; that is contention, not a fault.
    auto call = [&](const std::vector<uint8_t>& request, std::vector<uint8_t>& reply) {
        for (int attempt = 0; attempt < 1000; ++attempt) {
            if (RawCall(ordun::kBoardPipeName, request, reply))
                return true;
            if (GetLastError() != ERROR_PIPE_BUSY)
                break;
        }
        lastFailure = GetLastError();
        return false;
    };

    std::thread good([&] {
        std::vector<uint8_t> reply;
        while (!done.load()) {
            if (!call(Words({ordun::kVgaModeChanged, 0x55}), reply))
                ++goodFailed;
            else if (reply.size() != 4 || WordAt(reply, 0) != 1)
                ++wrongReplies;
            else
                ++goodAnswered;
            // Asking back to back would win every race for the instance.
            Sleep(2);
        }
    });
    // Two clients that connect and say nothing until the server drops them.
    std::thread silent([&] {
        for (int i = 0; i < 2; ++i) {
            kelp::OwnedHandle handle = openClient();
            Sleep(kelp::MessagePipeServer::kClientTimeoutMs + 500);
        }
    });
    std::thread random([&] {
        std::mt19937 generator(seed);
        auto chance = [&](int percent) { return static_cast<int>(generator() % 100) < percent; };
        const uint32_t known[] = {ordun::kVgaConnected, ordun::kVgaDisconnected,
                                  ordun::kVgaSyncChanged, ordun::kVgaModeChanged};
        std::vector<uint8_t> request, reply;
        for (int i = 0; i < 2500; ++i) {
            size_t length = chance(90) ? generator() % 24 : generator() % 0x4400;
            request.resize(length);
            for (uint8_t& byte : request)
                byte = static_cast<uint8_t>(generator());
            const bool knownCommand = length >= 4 && chance(15);
            if (knownCommand)
                std::memcpy(request.data(), &known[generator() % 4], 4);

            if (chance(80)) {
                if (!call(request, reply)) {
                    ++unexpectedFailures;
                    continue;
                }
                ++randomAnswered;
                uint32_t expected = 0;
                if (length >= 4) {
                    uint32_t command = 0;
                    std::memcpy(&command, request.data(), 4);
                    for (uint32_t k : known)
                        expected |= command == k;
                }
                if (reply.size() != 4 || WordAt(reply, 0) != expected)
                    ++wrongReplies;
            } else {
                // Leave early: right after connecting, or after sending
                // without waiting for the reply.
                kelp::OwnedHandle handle = openClient();
                DWORD written = 0;
                if (handle.IsValid() && chance(50))
                    WriteFile(handle.Get(), request.data(), static_cast<DWORD>(request.size()),
                              &written, nullptr);
            }
        }
        done = true;
    });

    const double start = NowMs();
    while (!done.load() && NowMs() - start < 120000)
        sink_.Pump(50);
    done = true;
    random.join();
    silent.join();
    good.join();
    sink_.Pump(100);

    EXPECT_EQ(wrongReplies.load(), 0);
    EXPECT_EQ(unexpectedFailures.load(), 0) << "last error " << lastFailure.load();
    EXPECT_EQ(goodFailed.load(), 0) << "last error " << lastFailure.load();
    EXPECT_GT(randomAnswered.load(), 1500);
    EXPECT_GT(goodAnswered.load(), 20);
    EXPECT_GE(static_cast<int>(sink_.Received().size()), goodAnswered.load());
    // Still serving normally afterwards.
    EXPECT_EQ(Ask(Words({ordun::kVgaConnected})), 1u);
    std::printf("random requests answered %d, well-behaved calls %d, %.0f ms\n",
                randomAnswered.load(), goodAnswered.load(), NowMs() - start);
}
