// Round trip of one graphics-pipe request through OrdunPipeClient (on its
// worker thread, guarded, waited for) next to a plain
// CallNamedPipeA, both against the same companion process.
//   pipebench [rounds]     (default 500)

#include "bench/BenchClock.h"
#include "bench/BenchReport.h"
#include "framework/system/ExecutableFolder.h"
#include "ipc/OrdunPipeClient.h"
#include "ipc/OrdunProtocol.h"
#include "ipc/OwnedHandle.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {
constexpr const char* kControlPipe = "pipebench companion control";

bool WaitForPipe(const std::string& name)
{
    const std::string path = "\\\\.\\PIPE\\" + name;
    for (int attempt = 0; attempt < 200; ++attempt) {
        if (WaitNamedPipeA(path.c_str(), 50))
            return true;
        Sleep(25);
    }
    return false;
}

kelp::OwnedHandle StartCompanion()
{
    std::string commandLine = "\"";
    commandLine.append(ExecutableFolder()).append("vgacompanion.exe\" --control \"");
    commandLine.append(kControlPipe).append("\"");
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW,
                        nullptr, nullptr, &startup, &info))
        return kelp::OwnedHandle();
    CloseHandle(info.hThread);
    return kelp::OwnedHandle(info.hProcess);
}

void StopCompanion(const kelp::OwnedHandle& process)
{
    char reply[16];
    DWORD read = 0;
    char quit[] = "quit";
    const std::string path = std::string("\\\\.\\PIPE\\") + kControlPipe;
    CallNamedPipeA(path.c_str(), quit, 4, reply, sizeof reply, &read, 5000);
    if (WaitForSingleObject(process.Get(), 5000) != WAIT_OBJECT_0)
        TerminateProcess(process.Get(), 1);
}
} // namespace

int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 500;
    const kelp::OwnedHandle companion = StartCompanion();
    if (!companion.IsValid() || !WaitForPipe(kelp::ordun::kVgaPipeName)) {
        std::fprintf(stderr, "pipebench: the companion did not start\n");
        return 1;
    }

    const uint32_t request = kelp::ordun::kGetVgaMode;
    const std::string path = std::string("\\\\.\\PIPE\\") + kelp::ordun::kVgaPipeName;
    std::vector<double> client, plain;
    int failures = 0;
    kelp::PipeReply reply;
    uint8_t buffer[kelp::ordun::kVgaReplyCapacity];
    // Alternating keeps both series under the same conditions.
    for (int round = 0; round < rounds; ++round) {
        double start = NowMs();
        failures += !kelp::OrdunPipeClient::Instance().Call(&request, sizeof request, reply);
        client.push_back(NowMs() - start);

        DWORD read = 0;
        start = NowMs();
        failures += !CallNamedPipeA(path.c_str(), const_cast<uint32_t*>(&request), sizeof request,
                                    buffer, sizeof buffer, &read, NMPWAIT_WAIT_FOREVER);
        plain.push_back(NowMs() - start);
    }
    StopCompanion(companion);

    std::printf("rounds                       %d\n", rounds);
    std::printf("failed transactions          %d\n", failures);
    ReportFigure("OrdunPipeClient::Call round trip", Median(client), "ms", "bare CallNamedPipeA", Median(plain),
                 "ratio<=1.5");
    return failures == 0 ? 0 : 1;
}
