// The metrics file's path as a policy names it: whatever is taken is a
// bounded "X:\...\name.prom" without a step Windows would read otherwise,
// and its folders lead down to the file, each a prefix of the next.

#include "metrics/MetricsPath.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // Two bytes a character, as Windows' wide strings.
    std::wstring text;
    for (size_t i = 0; i + 1 < size; i += 2)
        text.push_back(wchar_t(data[i] | (data[i + 1] << 8)));
    metrics::PathProblem problem = metrics::PathProblem::None;
    const auto path = metrics::ParseMetricsPath(text, problem);
    if (!path) {
        if (problem == metrics::PathProblem::None)
            __builtin_trap();
        return 0;
    }
    if (problem != metrics::PathProblem::None || path->file != text || text.size() > metrics::kMaxPathChars ||
        text.find(L"\\..\\") != std::wstring::npos || text.find(L"\\.\\") != std::wstring::npos ||
        text.find(L"\\\\") != std::wstring::npos || text.find(L'/') != std::wstring::npos ||
        text.find(L':', 2) != std::wstring::npos || path->temporary != text + L".tmp")
        __builtin_trap();
    std::wstring previous = text.substr(0, 2);
    for (const std::wstring& folder : path->folders) {
        if (folder.compare(0, previous.size(), previous) != 0 || folder.size() <= previous.size() ||
            text.compare(0, folder.size() + 1, folder + L"\\") != 0)
            __builtin_trap();
        previous = folder;
    }
    return 0;
}
