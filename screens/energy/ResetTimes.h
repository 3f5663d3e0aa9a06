#pragma once
// The starts of the two counting periods, kept as local wall-clock
// FILETIMEs (REG_BINARY, 8 bytes) beside the board's energy account:
// "TotalResetTime" since the first start, "ResetTime" since the user last
// cleared the count.

#include <windows.h>

#include <optional>

namespace energy {

constexpr const char* kResetTimeKey = "Software\\VANTOR\\Tamsel3\\Ordun\\MB";
constexpr const char* kResetTime = "ResetTime";
constexpr const char* kTotalResetTime = "TotalResetTime";

// The present local time of day as a FILETIME (no time-zone conversion).
FILETIME LocalFileTimeNow();

// The named time. A value that is missing, not binary or not 8 bytes long
// is replaced by the present local time, which is also written to the
// other value when that one is unusable too; a good value is never
// overwritten. Nothing when the key cannot be opened or created.
std::optional<FILETIME> ReadResetTime(const char* name);

// Starts a new current period now; the time written, or nothing when the
// key cannot be opened or created.
std::optional<FILETIME> RestartCurrentPeriod();

} // namespace energy
