#pragma once
// Raw registry access for tests, independent of the program's key classes,
// and a fixture that starts every test from an empty settings tree.

#include <windows.h>

#include <gtest/gtest.h>

#include <optional>

namespace test_registry {

inline constexpr char kRoot[] = "Software\\VANTOR\\Tamsel3";
inline constexpr char kAdvance[] = "Software\\VANTOR\\Tamsel3\\Advance";

inline std::optional<DWORD> ReadDword(HKEY hive, const char* key, const char* name)
{
    DWORD value = 0;
    DWORD size = sizeof(value);
    if (RegGetValueA(hive, key, name, RRF_RT_REG_DWORD, nullptr, &value, &size) != ERROR_SUCCESS)
        return std::nullopt;
    return value;
}

inline void WriteDword(HKEY hive, const char* key, const char* name, DWORD value)
{
    ASSERT_EQ(RegSetKeyValueA(hive, key, name, REG_DWORD, &value, sizeof(value)), ERROR_SUCCESS);
}

// Every test that touches the settings keys derives from this; they all
// live in one executable so no other test run races on the same keys.
class CleanSettings : public testing::Test {
protected:
    void SetUp() override
    {
        for (HKEY hive : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
            RegDeleteTreeA(hive, kRoot);
            RegDeleteKeyA(hive, kRoot);
            HKEY left = nullptr;
            ASSERT_NE(RegOpenKeyExA(hive, kRoot, 0, KEY_READ, &left), ERROR_SUCCESS);
        }
    }
};

} // namespace test_registry
