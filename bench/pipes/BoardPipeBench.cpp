// Availability of the board pipe while an unfriendly local client connects,
// sends nothing and reconnects as soon as it is dropped: how many of a
// companion's notifications are answered, and how long each one took.
//   boardpipebench [notifications]     (default 10)

#include "bench/BenchClock.h"
#include "ipc/OrdunPipeServerThread.h"
#include "ipc/OrdunProtocol.h"
#include "ipc/OwnedHandle.h"
#include "kelp/System/WinPipe.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

namespace {
// As long as the companion waits for a busy pipe.
constexpr DWORD kNotifyWaitMs = 2000;
} // namespace

int main(int argc, char** argv)
{
    const int notifications = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
    const std::string path = std::string("\\\\.\\PIPE\\") + kelp::ordun::kBoardPipeName;
    kelp::OrdunPipeServerThread server(nullptr, 1054);
    for (int attempt = 0; attempt < 100 && !WaitNamedPipeA(path.c_str(), 50); ++attempt)
        Sleep(20);

    std::atomic<bool> done{false};
    std::atomic<int> silentConnections{0};
    std::thread silent([&] {
        while (!done.load()) {
            kelp::OwnedHandle client(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                                 OPEN_EXISTING, 0, nullptr));
            if (!client.IsValid()) {
                WaitNamedPipeA(path.c_str(), 100);
                continue;
            }
            ++silentConnections;
            char byte;
            DWORD read = 0;
            ReadFile(client.Get(), &byte, 1, &read, nullptr); // until the server drops us
        }
    });

    std::vector<double> answered;
    const double start = NowMs();
    for (int i = 0; i < notifications; ++i) {
        const uint32_t command = kelp::ordun::kVgaConnected;
        uint32_t result = 0;
        DWORD read = 0;
        const double sent = NowMs();
        if (kelp::NamedPipeA::Call(".", kelp::ordun::kBoardPipeName, &command, sizeof command, &result,
                                   sizeof result, read, kNotifyWaitMs) &&
            result == kelp::ordun::kResultOk)
            answered.push_back(NowMs() - sent);
        Sleep(100);
    }
    const double elapsed = NowMs() - start;
    done = true;
    silent.join(); // once the server drops its last connection

    std::printf("notifications answered       %zu of %d\n", answered.size(), notifications);
    std::printf("median answer time           %.1f ms\n", Median(answered));
    std::printf("silent connections           %d\n", silentConnections.load());
    std::printf("elapsed                      %.0f ms\n", elapsed);
    return 0;
}
