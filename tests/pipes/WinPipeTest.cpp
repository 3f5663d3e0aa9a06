#include "kelp/System/WinPipe.h"
#include "tests/pipes/ImportPatch.h"
#include "tests/pipes/PipeTestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <string>
#include <thread>

using kelp::NamedPipeA;
using pipetest::TraceCapture;

namespace {
constexpr DWORD kMessageMode = PIPE_TYPE_MESSAGE | PIPE_READMODE_MESSAGE | PIPE_WAIT;

// The flags of the last pipe client end this process opened.
std::atomic<DWORD> g_clientFlags{0};
std::atomic<int> g_clientOpens{0};
const pipetest::ImportPatch* g_createFile = nullptr;

HANDLE WINAPI RecordingCreateFile(LPCSTR name, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security,
                                  DWORD disposition, DWORD flags, HANDLE model)
{
    if (_strnicmp(name, "\\\\.\\PIPE\\", 9) == 0) {
        g_clientFlags = flags;
        ++g_clientOpens;
    }
    auto original = reinterpret_cast<decltype(&CreateFileA)>(g_createFile->Original());
    return original(name, access, share, security, disposition, flags, model);
}

kelp::OwnedHandle OpenClient(const std::string& name)
{
    return kelp::OwnedHandle(CreateFileA(("\\\\.\\PIPE\\" + name).c_str(),
                                         GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                         0, nullptr));
}
} // namespace

TEST(NamedPipe, ClosedObjectAndMissingPipes)
{
    TraceCapture traces;
    NamedPipeA pipe;
    EXPECT_FALSE(pipe.IsOpen());
    EXPECT_TRUE(pipe.Close());
    EXPECT_TRUE(traces.Lines().empty());

    uint8_t reply[8];
    DWORD read = 123;
    const uint32_t request = 1;
    EXPECT_FALSE(NamedPipeA::Call(".", "pipetest no such pipe", &request, sizeof request, reply,
                                  sizeof reply, read, NMPWAIT_WAIT_FOREVER));
    EXPECT_EQ(read, 0u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(traces.Count("[BasicNamedPipe<char_t>::Call] failed, GetLastError returned 2\r\n"), 1u);

    EXPECT_FALSE(NamedPipeA::IsServerAvailable(".", "pipetest no such pipe", 100));
    EXPECT_EQ(traces.Count("[BasicNamedPipe<char_t>::IsServerAvailable] failed, GetLastError returned "),
              1u);
}

TEST(NamedPipe, FailedCreateLeavesObjectClosed)
{
    const std::string name = pipetest::UniqueName("pipetest single");
    NamedPipeA first;
    ASSERT_TRUE(first.Create(name.c_str(), PIPE_ACCESS_DUPLEX, kMessageMode, 1, 512, 512, 0, nullptr));
    EXPECT_TRUE(first.IsServerPipe());

    TraceCapture traces;
    NamedPipeA second;
    EXPECT_FALSE(second.Create(name.c_str(), PIPE_ACCESS_DUPLEX, kMessageMode, 1, 512, 512, 0, nullptr));
    EXPECT_FALSE(second.IsOpen());
    EXPECT_EQ(traces.Count("[BasicNamedPipe::Create] failed! GetLastError returned "), 1u);

    EXPECT_TRUE(first.Close());
    EXPECT_FALSE(first.IsOpen());
}

TEST(NamedPipe, ClientConnectedBeforeConnectThenMessagesBothWays)
{
    const std::string name = pipetest::UniqueName("pipetest early");
    NamedPipeA server;
    ASSERT_TRUE(server.Create(name.c_str(), PIPE_ACCESS_DUPLEX, kMessageMode, 1, 512, 512, 0, nullptr));
    kelp::OwnedHandle client = OpenClient(name);
    ASSERT_TRUE(client.IsValid());

    TraceCapture traces;
    EXPECT_TRUE(server.ConnectClient(nullptr));
    EXPECT_TRUE(traces.Lines().empty());

    const char request[] = "ping";
    DWORD count = 0;
    ASSERT_TRUE(WriteFile(client.Get(), request, sizeof request, &count, nullptr));
    char buffer[64] = {};
    ASSERT_TRUE(server.Read(buffer, sizeof buffer, count, nullptr));
    EXPECT_EQ(count, sizeof request);
    EXPECT_STREQ(buffer, "ping");

    ASSERT_TRUE(server.Write("pong", 5, count, nullptr));
    EXPECT_EQ(count, 5u);
    ASSERT_TRUE(ReadFile(client.Get(), buffer, sizeof buffer, &count, nullptr));
    EXPECT_STREQ(buffer, "pong");
    EXPECT_TRUE(server.Flush());

    // A message longer than the buffer is a failed read without overlapped I/O.
    const std::string longer(100, 'x');
    ASSERT_TRUE(WriteFile(client.Get(), longer.data(), 100, &count, nullptr));
    EXPECT_FALSE(server.Read(buffer, 10, count, nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MORE_DATA));
    EXPECT_EQ(traces.Count("[BasicNamedPipe<char_t>::Read] failed, GetLastError returned 234\r\n"), 1u);

    EXPECT_TRUE(server.DisconnectClient());
}

TEST(NamedPipe, AwaitTimesOutOnSilentClientAndCancelsTheRead)
{
    const std::string name = pipetest::UniqueName("pipetest silent");
    NamedPipeA server;
    ASSERT_TRUE(server.Create(name.c_str(), PIPE_ACCESS_DUPLEX | FILE_FLAG_OVERLAPPED, kMessageMode,
                              1, 512, 512, 0, nullptr));
    kelp::OwnedHandle event(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    OVERLAPPED overlapped{};
    overlapped.hEvent = event.Get();
    DWORD count = 0;
    ASSERT_TRUE(server.ConnectClient(&overlapped)); // nobody there yet: pending
    kelp::OwnedHandle client = OpenClient(name);
    ASSERT_TRUE(client.IsValid());
    EXPECT_EQ(server.Await(overlapped, count, 5000, nullptr), NamedPipeA::Completion::Done);

    char buffer[16] = {};
    overlapped = OVERLAPPED{};
    overlapped.hEvent = event.Get();
    ASSERT_TRUE(server.Read(buffer, sizeof buffer, count, &overlapped));
    const double start = pipetest::NowMs();
    EXPECT_EQ(server.Await(overlapped, count, 200, nullptr), NamedPipeA::Completion::TimedOut);
    EXPECT_LT(pipetest::NowMs() - start, 2000.0);

    // The cancelled read took nothing: the next message arrives whole.
    ASSERT_TRUE(WriteFile(client.Get(), "late", 5, &count, nullptr));
    overlapped = OVERLAPPED{};
    overlapped.hEvent = event.Get();
    ASSERT_TRUE(server.Read(buffer, sizeof buffer, count, &overlapped));
    EXPECT_EQ(server.Await(overlapped, count, 5000, nullptr), NamedPipeA::Completion::Done);
    EXPECT_EQ(count, 5u);
    EXPECT_STREQ(buffer, "late");

    // Once the client has closed its end, the server notices at once.
    client.Reset();
    overlapped = OVERLAPPED{};
    overlapped.hEvent = event.Get();
    EXPECT_TRUE(server.AwaitClientGone(overlapped, 5000, nullptr));
}

// A server must not be able to act with this program's rights: the client
// end allows identification only. Wine accepts the flags without acting
// on them, so the test looks at what the call passes to the system.
TEST(NamedPipe, CallOpensTheClientEndForIdentificationOnly)
{
    pipetest::ImportPatch patch("kernel32.dll", "CreateFileA", reinterpret_cast<void*>(&RecordingCreateFile));
    ASSERT_TRUE(patch.IsApplied());
    g_createFile = &patch;
    g_clientOpens = 0;

    const std::string name = pipetest::UniqueName("pipetest identify");
    NamedPipeA server;
    ASSERT_TRUE(server.Create(name.c_str(), PIPE_ACCESS_DUPLEX, kMessageMode, 1, 512, 512, 0, nullptr));
    std::thread serve([&server] {
        char request[16] = {};
        DWORD count = 0;
        if (server.ConnectClient(nullptr) && server.Read(request, sizeof request, count, nullptr))
            server.Write("pong", 5, count, nullptr);
        server.Flush();
        server.DisconnectClient();
    });
    char reply[16] = {};
    DWORD read = 0;
    EXPECT_TRUE(NamedPipeA::Call(".", name.c_str(), "ping", 5, reply, sizeof reply, read, NMPWAIT_WAIT_FOREVER));
    serve.join();
    EXPECT_EQ(read, 5u);
    EXPECT_STREQ(reply, "pong");

    ASSERT_EQ(g_clientOpens.load(), 1);
    EXPECT_EQ(g_clientFlags.load() & SECURITY_VALID_SQOS_FLAGS, DWORD(SECURITY_SQOS_PRESENT | SECURITY_IDENTIFICATION));
}

TEST(NamedPipeDeathTest, PreconditionsEndTheProcess)
{
    SetEnvironmentVariableA("PELLIX_ASSERT_QUIET", "1");
    const std::string name = pipetest::UniqueName("pipetest twice");
    EXPECT_EXIT(
        {
            NamedPipeA pipe;
            pipe.Create(name.c_str(), PIPE_ACCESS_DUPLEX, kMessageMode, 1, 512, 512, 0, nullptr);
            pipe.Create(name.c_str(), PIPE_ACCESS_DUPLEX, kMessageMode, 1, 512, 512, 0, nullptr);
        },
        testing::ExitedWithCode(3),
        "Assertion failed: !IsOpen\\(\\) && name != NULL, file kelp\\\\System\\\\Source\\\\WinPipe, line 268");
    EXPECT_EXIT(
        {
            NamedPipeA pipe;
            char buffer[4];
            DWORD read = 0;
            pipe.Read(buffer, sizeof buffer, read, nullptr);
        },
        testing::ExitedWithCode(3), "Assertion failed: IsOpen\\(\\), file .*WinPipe, line 466");
}
