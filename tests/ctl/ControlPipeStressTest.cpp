// The running program's control pipe under hostile clients (random bytes,
// huge and cut-off requests, clients that connect and stay silent, hundreds
// in a loop) while pellixctl asks for the mode every 100 ms: every real
// call is answered, and rightly.

#include "ipc/ControlProtocol.h"
#include "tests/ctl/CtlRun.h"
#include "tests/mainwin/ProgramRig.h"
#include "tests/pipes/PipeTestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <random>
#include <thread>

using namespace programtest;
namespace control = kelp::control;

namespace {

constexpr int kHostileClients = 600;
constexpr int kHostileThreads = 3;

HANDLE Connect()
{
    const std::string path = std::string("\\\\.\\pipe\\") + control::kPipeName;
    for (int attempt = 0; attempt < 100; ++attempt) {
        HANDLE pipe = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        if (pipe != INVALID_HANDLE_VALUE)
            return pipe;
        WaitNamedPipeA(path.c_str(), 50);
    }
    return INVALID_HANDLE_VALUE;
}

// One hostile client of the kind the random number picks.
void Attack(std::mt19937& random)
{
    kelp::OwnedHandle pipe(Connect());
    if (!pipe.IsValid())
        return;
    const unsigned kind = random() % 5;
    if (kind == 0) {
        // Connects and stays silent; a few outlast the server's patience.
        Sleep(random() % 10 == 0 ? 700 : random() % 40);
        return;
    }
    std::vector<uint8_t> bytes;
    if (kind == 1) {
        bytes.resize(random() % 200000 + 1000);  // far beyond any message
    } else if (kind == 2) {
        control::Request request;
        request.command = control::Command::SetMode;
        request.level = 0x4000;
        bytes = control::EncodeRequest(request);
        bytes.resize(random() % bytes.size());  // cut off
    } else {
        bytes.resize(random() % 64);
    }
    if (kind != 2)
        for (uint8_t& byte : bytes)
            byte = uint8_t(random());
    if (kind == 3 && bytes.size() >= 4)
        std::memcpy(bytes.data(), &control::kMagic, 4);
    DWORD written = 0;
    WriteFile(pipe.Get(), bytes.data(), DWORD(bytes.size()), &written, nullptr);
    if (random() % 2) {
        uint8_t reply[256];
        DWORD read = 0;
        ReadFile(pipe.Get(), reply, sizeof reply, &read, nullptr);
    }
}

} // namespace

TEST(ControlPipeStress, RealCallsAreAnsweredThroughAStormOfHostileClients)
{
    ResetProgramRegistry();
    Program program("");
    ASSERT_TRUE(program.Started());
    ASSERT_TRUE(pipetest::WaitForPipe(control::kPipeName, 10000));
    ctltest::CtlResult set = ctltest::RunCtl({"set", "medium"});
    ASSERT_EQ(set.exitCode, 0) << set.err;

    std::atomic<int> attacksLeft{kHostileClients};
    std::vector<std::thread> attackers;
    for (int t = 0; t < kHostileThreads; ++t)
        attackers.emplace_back([&attacksLeft, t] {
            std::mt19937 random(20261209 + t);
            while (attacksLeft.fetch_sub(1) > 0)
                Attack(random);
        });

    int calls = 0, wrong = 0;
    std::string firstWrong;
    while (attacksLeft > 0) {
        ctltest::CtlResult get = ctltest::RunCtl({"get"}, 30000);
        ++calls;
        if (get.exitCode != 0 || get.out != "medium\n") {
            if (!wrong++)
                firstWrong = std::to_string(get.exitCode) + " " + get.out + get.err;
        }
        Sleep(100);
    }
    for (std::thread& attacker : attackers)
        attacker.join();

    EXPECT_GT(calls, 3);
    EXPECT_EQ(wrong, 0) << "first: " << firstWrong;
    EXPECT_TRUE(program.Process().Running());
    EXPECT_EQ(BoardItem(kGearLevelItem), 1u);
    EXPECT_EQ(ctltest::RunCtl({"get"}).out, "medium\n");
}

TEST(ControlPipeStress, ClientsThatNeverTakeTheirReplyKeepNobodyOut)
{
    ResetProgramRegistry();
    Program program("");
    ASSERT_TRUE(program.Started());
    ASSERT_TRUE(pipetest::WaitForPipe(control::kPipeName, 10000));

    // Each holds an instance as long as the server waits for a reply to be
    // taken, again and again, one fewer of them than there are instances.
    std::atomic<bool> done{false};
    std::vector<std::thread> holders;
    for (int t = 0; t < 3; ++t)
        holders.emplace_back([&done] {
            const std::vector<uint8_t> request = control::EncodeRequest(control::Request{control::Command::Status});
            while (!done) {
                kelp::OwnedHandle pipe(Connect());
                DWORD written = 0;
                WriteFile(pipe.Get(), request.data(), DWORD(request.size()), &written, nullptr);
                Sleep(1900);
            }
        });
    Sleep(300);
    int answered = 0;
    for (int call = 0; call < 8; ++call) {
        const ctltest::CtlResult get = ctltest::RunCtl({"get", "--timeout", "1"}, 10000);
        answered += get.exitCode == 0 ? 1 : 0;
        Sleep(250);
    }
    done = true;
    for (std::thread& holder : holders)
        holder.join();
    EXPECT_EQ(answered, 8);
}
