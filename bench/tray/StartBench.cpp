// Start to the main window, as at log-on ("-b"), against the minimal tray
// program started the same way in the same run. A start counts as done when
// the program's main window exists and its thread answers a sent message,
// that is, when the program is waiting in its message loop. The two
// programs take turns so that both see the same load on the machine.
//   startbench [rounds]     (default 3; prints the medians as a figure line)

#include "bench/BenchClock.h"
#include "bench/BenchReport.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {
constexpr UINT kExitMessage = WM_USER;
constexpr WPARAM kTag = 85;
constexpr double kGiveUpMs = 20000;

struct Program {
    const char* file;
    const char* windowClass;
    const char* caption;
    std::vector<double> samples;
};

std::string Folder()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    return folder.substr(0, folder.find_last_of('\\') + 1);
}

// Ends the program the way its own exit does, or by force when it does not
// go within 10 s.
void Stop(HWND window, HANDLE process)
{
    if (window)
        PostMessageA(window, kExitMessage, kTag, 0);
    if (WaitForSingleObject(process, 10000) != WAIT_OBJECT_0) {
        TerminateProcess(process, 1);
        WaitForSingleObject(process, 10000);
    }
}

// Milliseconds from CreateProcess to an answering main window; negative when
// the program did not get there.
double StartOnce(const Program& program)
{
    std::string command = Folder();
    command.insert(0, 1, '"').append(program.file).append("\" -b");
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    const double start = NowMs();
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, Folder().c_str(), &startup,
                        &info))
        return -1;
    double elapsed = -1;
    HWND window = nullptr;
    while (NowMs() - start < kGiveUpMs) {
        window = FindWindowA(program.windowClass, program.caption);
        if (window) {
            DWORD_PTR result = 0;
            if (SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &result))
                elapsed = NowMs() - start;
            break;
        }
        if (WaitForSingleObject(info.hProcess, 0) == WAIT_OBJECT_0)
            break;
        Sleep(1);
    }
    Stop(window, info.hProcess);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    return elapsed;
}

void Report(const char* name, const std::vector<double>& samples)
{
    const auto [low, high] = std::minmax_element(samples.begin(), samples.end());
    std::printf("  %-28s %7.1f ms (median; %.1f-%.1f)\n", name, Median(samples), *low, *high);
}
} // namespace

int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    Program floor{"mintray.exe", "MinimalTray", "MinimalTray", {}};
    Program pellix{"Pellix.exe", "TMainForm", "Pellix", {}};
    // One unmeasured start each: the first start of a fresh prefix also
    // fills the system's caches.
    StartOnce(floor);
    StartOnce(pellix);
    for (int round = 0; round < rounds; ++round) {
        for (Program* program : {&floor, &pellix}) {
            const double ms = StartOnce(*program);
            if (ms < 0) {
                std::printf("%s did not reach its message loop\n", program->file);
                return 1;
            }
            program->samples.push_back(ms);
        }
    }
    std::printf("start to the main window (-b), %d starts each\n", rounds);
    Report("Pellix", pellix.samples);
    Report("minimal tray program (floor)", floor.samples);
    ReportFigure("start to the main window (-b)", Median(pellix.samples), "ms", "minimal tray program",
                 Median(floor.samples), "ratio<=1.3");
    return 0;
}
