#include "ctl/ProgramRunner.h"

#include "ipc/OwnedHandle.h"

#include <windows.h>

namespace ctl {

std::string QuoteCommandLine(const std::vector<std::string>& args)
{
    std::string line;
    for (const std::string& arg : args) {
        if (!line.empty())
            line += ' ';
        if (!arg.empty() && arg.find_first_of(" \t\"") == std::string::npos) {
            line += arg;
            continue;
        }
        // Backslashes count only before a quote: double them there.
        line += '"';
        size_t backslashes = 0;
        for (char c : arg) {
            if (c == '\\') {
                ++backslashes;
                continue;
            }
            line.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
            backslashes = 0;
            line += c;
        }
        line.append(backslashes * 2, '\\');
        line += '"';
    }
    return line;
}

std::optional<int> RunProgram(const std::vector<std::string>& args)
{
    std::string line = QuoteCommandLine(args);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process))
        return std::nullopt;
    kelp::OwnedHandle processHandle(process.hProcess);
    kelp::OwnedHandle threadHandle(process.hThread);
    // The command runs as long as it needs; it is the user's to end.
    WaitForSingleObject(processHandle.Get(), INFINITE);
    DWORD code = 1;
    GetExitCodeProcess(processHandle.Get(), &code);
    return int(code);
}

} // namespace ctl
