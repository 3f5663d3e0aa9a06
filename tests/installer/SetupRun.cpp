#include "SetupRun.h"

#include "InstalledFiles.h"

#include "framework/TKernelHandle.h"
#include "tests/board/support/BoardTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tlhelp32.h>
#include <vector>

namespace {

// The longest a run, with the processes it starts, may take. A run that
// takes longer hangs (a process waiting for something that never comes):
// it is ended and reported instead of holding up the whole test run.
constexpr DWORD kRunTimeoutMs = 120000;

// The system's service manager. The first process of a session that needs
// a service (the Task Scheduler, say) starts it, and it lives on with the
// services it starts; neither is part of the run that happened to start it.
bool IsServiceManager(const PROCESSENTRY32& process)
{
    return lstrcmpiA(process.szExeFile, "services.exe") == 0;
}

// Processes started by `parent`, and by those, that are still running; the
// service manager and the services under it are left out.
std::vector<PROCESSENTRY32> Descendants(DWORD parent)
{
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return {};
    TKernelHandle owner(snapshot);
    std::vector<PROCESSENTRY32> all;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry))
        all.push_back(entry);
    std::vector<DWORD> parents{parent};
    std::vector<PROCESSENTRY32> found;
    for (size_t index = 0; index < parents.size(); ++index)
        for (const PROCESSENTRY32& process : all)
            if (process.th32ParentProcessID == parents[index] && process.th32ProcessID != parents[index] &&
                !IsServiceManager(process)) {
                parents.push_back(process.th32ProcessID);
                found.push_back(process);
            }
    return found;
}

struct StartedProcess {
    DWORD id;
    std::string name;
    TKernelHandle handle;
};

DWORD RemainingMs(ULONGLONG deadline)
{
    const ULONGLONG now = GetTickCount64();
    return now < deadline ? DWORD(deadline - now) : 0;
}

// Ends what still runs after the deadline and fails the test with the
// names, so that a hang shows what hung.
void EndHung(const std::string& commandLine, std::vector<StartedProcess>& processes)
{
    std::string hung;
    for (StartedProcess& process : processes)
        if (WaitForSingleObject(process.handle.Get(), 0) == WAIT_TIMEOUT) {
            hung += " " + process.name + " (" + std::to_string(process.id) + ")";
            TerminateProcess(process.handle.Get(), kTimedOut);
        }
    ADD_FAILURE() << commandLine << " did not end within " << kRunTimeoutMs / 1000 << " s; ended:" << hung;
}

DWORD Run(const std::string& commandLine, HANDLE token)
{
    std::string line = commandLine;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    const BOOL started =
        token ? CreateProcessAsUserA(token, nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                     &startup, &info)
              : CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info);
    if (!started)
        return kNotStarted;
    const ULONGLONG deadline = GetTickCount64() + kRunTimeoutMs;
    TKernelHandle thread(info.hThread);
    std::vector<StartedProcess> processes;
    processes.push_back({info.dwProcessId, "the program", TKernelHandle(info.hProcess)});
    const HANDLE program = info.hProcess;
    // Collected while the program runs and once after it ended: a child
    // that outlives it (the uninstaller's copy of itself) is still found by
    // its parent's id.
    bool ended = false;
    while (!ended) {
        const DWORD slice = std::min<DWORD>(50, RemainingMs(deadline));
        ended = WaitForSingleObject(program, slice) != WAIT_TIMEOUT;
        for (const PROCESSENTRY32& child : Descendants(info.dwProcessId)) {
            const auto known = [&](const StartedProcess& process) { return process.id == child.th32ProcessID; };
            if (std::none_of(processes.begin(), processes.end(), known))
                if (HANDLE handle = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, child.th32ProcessID))
                    processes.push_back({child.th32ProcessID, child.szExeFile, TKernelHandle(handle)});
        }
        if (!ended && RemainingMs(deadline) == 0) {
            EndHung(commandLine, processes);
            return kTimedOut;
        }
    }
    DWORD exitCode = kNotStarted;
    GetExitCodeProcess(program, &exitCode);
    for (const StartedProcess& process : processes)
        if (WaitForSingleObject(process.handle.Get(), RemainingMs(deadline)) == WAIT_TIMEOUT) {
            EndHung(commandLine, processes);
            return kTimedOut;
        }
    return exitCode;
}

std::string TempFolder()
{
    char folder[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    return folder;
}

std::string LogPath() { return TempFolder() + "PellixSetup.log"; }

std::string SetupCommand(const std::string& arguments)
{
    DeleteFileA(LogPath().c_str());
    std::string command = "\"";
    command += SetupPath();
    command += "\" ";
    return command + arguments;
}

} // namespace

std::string SetupPath()
{
    char full[MAX_PATH] = {};
    GetFullPathNameA((boardtest::RuntimeFolder() + "..\\installer\\PellixSetup.exe").c_str(), MAX_PATH, full, nullptr);
    return full;
}

DWORD RunAndWait(const std::string& commandLine) { return Run(commandLine, nullptr); }

DWORD RunWithoutAdminRights(const std::string& commandLine)
{
    HANDLE own = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ALL_ACCESS, &own))
        return kNotStarted;
    TKernelHandle ownToken(own);
    SID_IDENTIFIER_AUTHORITY ntAuthority = SECURITY_NT_AUTHORITY;
    PSID administrators = nullptr;
    AllocateAndInitializeSid(&ntAuthority, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0, 0, 0,
                             &administrators);
    SID_AND_ATTRIBUTES disabled{administrators, 0};
    HANDLE restricted = nullptr;
    const BOOL made = CreateRestrictedToken(own, 0, 1, &disabled, 0, nullptr, 0, nullptr, &restricted);
    FreeSid(administrators);
    if (!made)
        return kNotStarted;
    TKernelHandle token(restricted);
    return Run(commandLine, token.Get());
}

DWORD RunSetup(const std::string& arguments) { return RunAndWait(SetupCommand(arguments)); }

DWORD RunSetupWithoutAdminRights(const std::string& arguments)
{
    return RunWithoutAdminRights(SetupCommand(arguments));
}

std::string SetupLog() { return ReadUtf16File(LogPath()); }
