#include "SetupRun.h"

#include "InstalledFiles.h"

#include "framework/TKernelHandle.h"
#include "tests/board/support/BoardTestSupport.h"

#include <algorithm>
#include <tlhelp32.h>
#include <vector>

namespace {

constexpr DWORD kRunTimeoutMs = 120000;

// Processes started by `parent`, and by those, that are still running.
std::vector<DWORD> Descendants(DWORD parent)
{
    std::vector<DWORD> found{parent};
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return {};
    TKernelHandle owner(snapshot);
    std::vector<PROCESSENTRY32> all;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry))
        all.push_back(entry);
    for (size_t index = 0; index < found.size(); ++index)
        for (const PROCESSENTRY32& process : all)
            if (process.th32ParentProcessID == found[index] && process.th32ProcessID != found[index])
                found.push_back(process.th32ProcessID);
    found.erase(found.begin());
    return found;
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
    TKernelHandle process(info.hProcess);
    TKernelHandle thread(info.hThread);
    // Collected while the program runs and once after it ended: a child
    // that outlives it (the uninstaller's copy of itself) is still found by
    // its parent's id.
    std::vector<DWORD> childIds;
    std::vector<TKernelHandle> children;
    bool ended = false;
    while (!ended) {
        ended = WaitForSingleObject(process.Get(), 50) != WAIT_TIMEOUT;
        for (DWORD id : Descendants(info.dwProcessId))
            if (std::find(childIds.begin(), childIds.end(), id) == childIds.end())
                if (HANDLE child = OpenProcess(SYNCHRONIZE, FALSE, id)) {
                    childIds.push_back(id);
                    children.emplace_back(child);
                }
    }
    DWORD exitCode = kNotStarted;
    GetExitCodeProcess(process.Get(), &exitCode);
    for (const TKernelHandle& child : children)
        WaitForSingleObject(child.Get(), kRunTimeoutMs);
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
