// `pellixctl get` as a whole process against the minimal client (one bare
// CallNamedPipeA), both asking the same control pipe served here the way
// the program serves it: pipe threads that post each request to a window
// of this thread, which answers it. The two take turns so that both see
// the same load on the machine.
//   ctlbench [rounds]     (default 15; prints the medians as a figure line)

#include "bench/BenchClock.h"
#include "bench/BenchReport.h"
#include "ipc/ControlMailbox.h"
#include "ipc/ControlPipeServer.h"
#include "ipc/OwnedHandle.h"

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

namespace control = kelp::control;
constexpr UINT kMessage = WM_USER + 60;
constexpr WPARAM kTag = 85;
control::ControlMailbox* mailbox = nullptr;

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kMessage && wParam == kTag && mailbox) {
        if (const auto job = mailbox->Take(lParam)) {
            control::Reply reply = control::Answer(job->request.command, control::Outcome::Done);
            reply.status.level = 1;
            mailbox->Deliver(lParam, reply);
        }
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

std::string Folder()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    return folder.substr(0, folder.find_last_of('\\') + 1);
}

// Milliseconds from CreateProcess to the end of the process, this thread
// answering the window's messages meanwhile; negative on failure.
double RunOnce(const std::string& commandLine)
{
    std::string command = commandLine;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    const double start = NowMs();
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr,
                        &startup, &info))
        return -1;
    kelp::OwnedHandle process(info.hProcess), thread(info.hThread);
    for (;;) {
        const DWORD wait = MsgWaitForMultipleObjects(1, &info.hProcess, FALSE, 30000, QS_ALLINPUT);
        if (wait == WAIT_OBJECT_0)
            break;
        if (wait != WAIT_OBJECT_0 + 1)
            return -1;
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
    }
    DWORD code = 1;
    GetExitCodeProcess(info.hProcess, &code);
    return code == 0 ? NowMs() - start : -1;
}

} // namespace

int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "CtlBenchWindow";
    RegisterClassA(&windowClass);
    const HWND window = CreateWindowA(windowClass.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                      windowClass.hInstance, nullptr);
    control::ControlMailbox box(window, kMessage, kTag);
    mailbox = &box;
    control::ControlPipeServer server([&box](const control::Request& request) {
        return box.Relay({control::Job::Phase::Ask, request}, 10000);
    });
    const std::string pipe = std::string("\\\\.\\pipe\\") + control::kPipeName;
    // The server creates its instances on a thread of its own.
    for (int attempt = 0; attempt < 100 && !WaitNamedPipeA(pipe.c_str(), 50); ++attempt)
        Sleep(20);
    const std::string folder = Folder();
    const std::string ctl = "\"" + folder + "pellixctl.exe\" get";
    const std::string minimal = "\"" + folder + "minimalcontrolclient.exe\"";
    // The first start of each maps its files; it is not counted.
    RunOnce(ctl);
    RunOnce(minimal);
    std::vector<double> ctlTimes, minimalTimes;
    for (int round = 0; round < rounds; ++round) {
        const double c = RunOnce(ctl);
        const double m = RunOnce(minimal);
        if (c < 0 || m < 0) {
            std::fprintf(stderr, "a run failed in round %d\n", round);
            return 1;
        }
        ctlTimes.push_back(c);
        minimalTimes.push_back(m);
    }
    std::printf("pellixctl get                %.1f ms (median of %d)\n", Median(ctlTimes), rounds);
    std::printf("bare CallNamedPipeA client   %.1f ms\n", Median(minimalTimes));
    ReportFigure("pellixctl get", Median(ctlTimes), "ms", "bare CallNamedPipeA client", Median(minimalTimes),
                 "ratio<=1.5");
    mailbox = nullptr;
    return 0;
}
