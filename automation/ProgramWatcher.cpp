#include "automation/ProgramWatcher.h"

#include "ipc/OwnedHandle.h"

#include <tlhelp32.h>

namespace automation {
namespace {

std::vector<ProcessEntry> Snapshot()
{
    std::vector<ProcessEntry> processes;
    kelp::OwnedHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot.IsValid())
        return processes;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32First(snapshot.Get(), &entry); more; more = Process32Next(snapshot.Get(), &entry))
        processes.push_back({entry.th32ProcessID, entry.szExeFile});
    return processes;
}

std::string ImagePath(DWORD id)
{
    kelp::OwnedHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id));
    if (!process.IsValid())
        return {};
    char path[MAX_PATH + 1]{};
    DWORD size = MAX_PATH;
    if (!QueryFullProcessImageNameA(process.Get(), 0, path, &size))
        return {};
    return std::string(path, size);
}

} // namespace

std::vector<RunningRule> MatchRules(const AutomationSettings& settings, const std::vector<ProcessEntry>& processes,
                                    const std::function<std::string(DWORD)>& pathOf)
{
    std::vector<RunningRule> running;
    for (size_t i = 0; i < settings.rules.size(); ++i) {
        const ProgramRule& rule = settings.rules[i];
        if (!rule.IsValid())
            continue;
        const std::string name = rule.FileName();
        for (const ProcessEntry& process : processes) {
            if (!SameProgram(process.name, name))
                continue;
            if (rule.IsFullPath() && !SameProgram(pathOf(process.id), rule.program))
                continue;
            running.push_back({i, rule.level});
            break;
        }
    }
    return running;
}

std::vector<RunningRule> RunningRules(const AutomationSettings& settings)
{
    if (!settings.HasValidRule())
        return {};
    return MatchRules(settings, Snapshot(), ImagePath);
}

} // namespace automation
