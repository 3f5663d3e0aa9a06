#include "ChildProcess.h"

#include "tests/board/support/BoardTestSupport.h"

#include <functional>
#include <tlhelp32.h>

namespace {

struct WindowSearch {
    DWORD processId;
    std::vector<ProcessWindow> found;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM data)
{
    auto* search = reinterpret_cast<WindowSearch*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId)
        return TRUE;
    char windowClass[256] = {};
    char caption[256] = {};
    GetClassNameA(window, windowClass, sizeof windowClass);
    GetWindowTextA(window, caption, sizeof caption);
    search->found.push_back({window, windowClass, caption, IsWindowVisible(window) != 0});
    return TRUE;
}

} // namespace

PellixProcess::PellixProcess(const std::string& arguments, const std::string& program)
{
    std::string commandLine = "\"" + (program.empty() ? boardtest::RuntimeFolder() + "Pellix.exe" : program) + "\"";
    if (!arguments.empty())
        commandLine += " " + arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
        CloseHandle(info.hThread);
        m_process.Reset(info.hProcess);
        m_id = info.dwProcessId;
    }
}

PellixProcess::~PellixProcess()
{
    Kill();
}

void PellixProcess::Kill()
{
    if (Running()) {
        TerminateProcess(m_process.Get(), 1);
        WaitForSingleObject(m_process.Get(), 5000);
    }
}

bool PellixProcess::Running() const
{
    return m_process && WaitForSingleObject(m_process.Get(), 0) == WAIT_TIMEOUT;
}

bool PellixProcess::WaitForExit(DWORD timeoutMs)
{
    return m_process && WaitForSingleObject(m_process.Get(), timeoutMs) == WAIT_OBJECT_0;
}

DWORD PellixProcess::ExitCode() const
{
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(m_process.Get(), &code);
    return code;
}

std::vector<ProcessWindow> PellixProcess::Windows() const
{
    WindowSearch search{m_id, {}};
    EnumWindows(&CollectWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND PellixProcess::WaitForWindow(const char* windowClass, DWORD timeoutMs) const
{
    HWND found = nullptr;
    Eventually(
        [&] {
            for (const ProcessWindow& window : Windows())
                if (window.windowClass == windowClass)
                    found = window.handle;
            return found != nullptr || !Running();
        },
        timeoutMs);
    return found;
}

std::string MessageBoxText(HWND box)
{
    char text[1024] = {};
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
    return text;
}

int CountProcesses(const char* exeName)
{
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return -1;
    TKernelHandle owner(snapshot);
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    int count = 0;
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry))
        if (lstrcmpiA(entry.szExeFile, exeName) == 0)
            ++count;
    return count;
}

bool Eventually(const std::function<bool()>& condition, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    for (;;) {
        if (condition())
            return true;
        if (GetTickCount() - start > timeoutMs)
            return false;
        Sleep(50);
    }
}
