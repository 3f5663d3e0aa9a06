#pragma once
// The metrics file's path as the organisation's policy names it, checked
// before the program (which runs elevated) writes anything there.
//
// Security stance: the path comes from the Policies keys, which only
// administrators write, yet a wrong value must not let the program write
// where nobody meant: only a plain local path "X:\folder\...\name.prom"
// (the textfile collectors read *.prom files) of bounded length is taken;
// no device, network or "\\?\" path, no "." or ".." step, no name Windows
// would silently change (trailing dot or blank) or read as a device
// ("NUL.prom"). The folders on the way are checked for reparse points when
// the file is written (MetricsFile). Plain C++.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace metrics {

// Characters of the whole path; the temporary file beside it adds
// kTemporarySuffix and stays below MAX_PATH.
constexpr size_t kMaxPathChars = 240;
constexpr std::wstring_view kTemporarySuffix = L".tmp";

enum class PathProblem {
    None,
    TooLong,
    NotLocal,   // not "X:\..." (relative, network, device namespace)
    BadStep,    // empty, ".", "..", forbidden characters, trailing dot or blank, device names
    NotPromFile,
};

struct MetricsPath {
    std::wstring file;
    std::wstring temporary;            // the file's name with kTemporarySuffix: ignored by the collectors
    std::vector<std::wstring> folders; // each folder below the drive's root down to the file's own
};

std::optional<MetricsPath> ParseMetricsPath(std::wstring_view text, PathProblem& problem);

} // namespace metrics
