#include "screens/energy/ResetTimes.h"

#include "kelp/System/WinRegistry.h"

#include <cstring>

namespace energy {

namespace {

std::optional<FILETIME> ReadTime(kelp::RegistryKey& key, const char* name)
{
    FILETIME time{};
    DWORD size = sizeof time;
    if (!key.ReadBinary(name, &time, size) || size != sizeof time)
        return std::nullopt;
    return time;
}

bool WriteTime(kelp::RegistryKey& key, const char* name, const FILETIME& time)
{
    return key.WriteBinary(name, &time, sizeof time);
}

} // namespace

FILETIME LocalFileTimeNow()
{
    SYSTEMTIME local{};
    GetLocalTime(&local);
    FILETIME time{};
    SystemTimeToFileTime(&local, &time);
    return time;
}

std::optional<FILETIME> ReadResetTime(const char* name)
{
    kelp::RegistryKey key;
    if (!key.Open(HKEY_LOCAL_MACHINE, kResetTimeKey, true))
        return std::nullopt;
    if (std::optional<FILETIME> stored = ReadTime(key, name))
        return stored;
    const FILETIME now = LocalFileTimeNow();
    WriteTime(key, name, now);
    // Both periods begin at the first start; a period that has its own
    // start keeps it.
    const char* other = std::strcmp(name, kResetTime) == 0 ? kTotalResetTime : kResetTime;
    if (!ReadTime(key, other))
        WriteTime(key, other, now);
    return now;
}

std::optional<FILETIME> RestartCurrentPeriod()
{
    kelp::RegistryKey key;
    if (!key.Open(HKEY_LOCAL_MACHINE, kResetTimeKey, true))
        return std::nullopt;
    const FILETIME now = LocalFileTimeNow();
    WriteTime(key, kResetTime, now);
    return now;
}

} // namespace energy
