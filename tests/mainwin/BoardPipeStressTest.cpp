// The running program's board pipe under a storm of hostile clients:
// random bytes of random length, well-formed commands mixed in, clients
// that connect and never write and clients that leave before their reply.
// Afterwards a well-formed request is still answered straight away.
//
// PELLIX_PIPE_STRESS=<requests> sets the storm's size (default 2000; run
// with 100000 by hand); PELLIX_PIPE_STRESS_SEED its random seed.

#include "ipc/OrdunProtocol.h"
#include "tests/mainwin/ProgramRig.h"
#include "tests/pipes/PipeTestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>

using namespace programtest;
namespace ordun = kelp::ordun;

namespace {

constexpr uint32_t kUnknownCommand = 0x00001002;
// Longer than the server's client time-out, for the few clients that stall.
constexpr DWORD kLongStallMs = 2500;

unsigned long Setting(const char* name, unsigned long fallback)
{
    const char* text = std::getenv(name);
    return text && *text ? std::strtoul(text, nullptr, 10) : fallback;
}

std::string PipePath()
{
    return std::string("\\\\.\\PIPE\\") + ordun::kBoardPipeName;
}

// A client end of the board pipe, waiting while the single instance is busy.
kelp::OwnedHandle Connect()
{
    const std::string path = PipePath();
    for (int attempt = 0; attempt < 200; ++attempt) {
        HANDLE pipe = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        if (pipe != INVALID_HANDLE_VALUE) {
            DWORD mode = PIPE_READMODE_MESSAGE;
            SetNamedPipeHandleState(pipe, &mode, nullptr, nullptr);
            return kelp::OwnedHandle(pipe);
        }
        if (GetLastError() != ERROR_PIPE_BUSY)
            Sleep(5);
        else
            WaitNamedPipeA(path.c_str(), 100);
    }
    return kelp::OwnedHandle(nullptr);
}

std::vector<uint8_t> RandomBytes(std::mt19937& random)
{
    // Mostly short requests, some up to the pipe buffer and beyond, up to 64 KiB.
    const unsigned band = random() % 10;
    const size_t size = band < 5 ? random() % 17 : band < 8 ? random() % 1025 : random() % (64 * 1024 + 1);
    std::vector<uint8_t> bytes(size);
    for (uint8_t& byte : bytes)
        byte = uint8_t(random());
    return bytes;
}

uint32_t ExpectedResult(const std::vector<uint8_t>& request)
{
    if (request.size() < 4)
        return ordun::kResultFailed;
    uint32_t command = 0;
    std::memcpy(&command, request.data(), 4);
    const bool known = command == ordun::kVgaConnected || command == ordun::kVgaDisconnected ||
                       command == ordun::kVgaSyncChanged || command == ordun::kVgaModeChanged;
    return known ? ordun::kResultOk : ordun::kResultFailed;
}

// Writes the request and reads the reply; the reply's bytes, or "failed".
bool Transact(const std::vector<uint8_t>& request, std::vector<uint8_t>& reply)
{
    kelp::OwnedHandle pipe = Connect();
    if (!pipe.IsValid())
        return false;
    DWORD written = 0, read = 0;
    reply.assign(256, 0);
    if (!WriteFile(pipe.Get(), request.data(), DWORD(request.size()), &written, nullptr) ||
        !ReadFile(pipe.Get(), reply.data(), DWORD(reply.size()), &read, nullptr))
        return false;
    reply.resize(read);
    return true;
}

} // namespace

TEST(BoardPipeStress, ProgramAnswersAfterAStormOfHostileClients)
{
    ResetProgramRegistry();
    Program program("");
    ASSERT_TRUE(program.Started());
    ASSERT_TRUE(pipetest::WaitForPipe(ordun::kBoardPipeName, 10000));

    const unsigned long requests = Setting("PELLIX_PIPE_STRESS", 2000);
    std::mt19937 random(Setting("PELLIX_PIPE_STRESS_SEED", 20261208));
    unsigned answered = 0, silent = 0, leavers = 0, wrong = 0, unanswered = 0;
    const double start = pipetest::NowMs();
    for (unsigned long i = 0; i < requests; ++i) {
        const unsigned kind = random() % 100;
        if (kind < 4) {
            // Connects and never writes; now and then past the server's time-out.
            kelp::OwnedHandle pipe = Connect();
            ASSERT_TRUE(pipe.IsValid()) << "no connection at request " << i;
            Sleep(i % 5000 == 17 ? kLongStallMs : random() % 30);
            ++silent;
            continue;
        }
        std::vector<uint8_t> request;
        if (kind < 20) {
            const uint32_t commands[] = {ordun::kVgaConnected, ordun::kVgaDisconnected, ordun::kVgaSyncChanged,
                                         ordun::kVgaModeChanged, kUnknownCommand};
            request = pipetest::Words({commands[random() % 5]});
        } else {
            request = RandomBytes(random);
        }
        if (kind < 10 || (kind >= 20 && kind < 28)) {
            // Sends, then leaves before the reply: the server's write or its
            // wait for the client to go finds nobody.
            kelp::OwnedHandle pipe = Connect();
            ASSERT_TRUE(pipe.IsValid()) << "no connection at request " << i;
            DWORD written = 0;
            WriteFile(pipe.Get(), request.data(), DWORD(request.size()), &written, nullptr);
            ++leavers;
            continue;
        }
        std::vector<uint8_t> reply;
        if (!Transact(request, reply)) {
            ++unanswered;
            continue;
        }
        ++answered;
        if (reply.size() != 4 || pipetest::WordAt(reply, 0) != ExpectedResult(request))
            ++wrong;
    }
    const double stormMs = pipetest::NowMs() - start;

    // A connected request may lose its reply when the client's own write
    // times out under load, never more than a handful; every reply that
    // came must be the right one.
    EXPECT_EQ(wrong, 0u);
    EXPECT_LE(unanswered, requests / 1000 + 1);

    std::vector<uint8_t> reply;
    const double before = pipetest::NowMs();
    ASSERT_TRUE(Transact(pipetest::Words({ordun::kVgaSyncChanged}), reply));
    const double afterMs = pipetest::NowMs() - before;
    ASSERT_EQ(reply.size(), 4u);
    EXPECT_EQ(pipetest::WordAt(reply, 0), ordun::kResultOk);
    // No client of the storm still holds the pipe: the answer does not wait
    // for the server's client time-out.
    EXPECT_LT(afterMs, 2000.0);
    DWORD_PTR result = 0;
    EXPECT_NE(SendMessageTimeoutA(program.Window(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &result), 0);

    std::printf("board pipe storm: %lu requests (%u answered, %u silent, %u left early, %u unanswered) "
                "in %.1f s; the next request answered in %.1f ms\n",
                requests, answered, silent, leavers, unanswered, stormMs / 1000.0, afterMs);
    RecordProperty("requests", std::to_string(requests));
    RecordProperty("storm_ms", std::to_string(int(stormMs)));
    RecordProperty("after_ms", std::to_string(int(afterMs)));
}
