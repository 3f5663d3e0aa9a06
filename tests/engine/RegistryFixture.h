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
    HKEY handle = nullptr;
    ASSERT_EQ(RegCreateKeyExA(hive, key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &handle, nullptr), ERROR_SUCCESS);
    const LONG result = RegSetValueExA(handle, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value));
    RegCloseKey(handle);
    ASSERT_EQ(result, ERROR_SUCCESS);
}

inline void WriteString(HKEY hive, const char* key, const char* name, const char* text)
{
    HKEY handle = nullptr;
    ASSERT_EQ(RegCreateKeyExA(hive, key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &handle, nullptr), ERROR_SUCCESS);
    const LONG result = RegSetValueExA(handle, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                                       static_cast<DWORD>(strlen(text) + 1));
    RegCloseKey(handle);
    ASSERT_EQ(result, ERROR_SUCCESS);
}

inline void DeleteValue(HKEY hive, const char* key, const char* name)
{
    ASSERT_EQ(RegDeleteKeyValueA(hive, key, name), ERROR_SUCCESS);
}

inline void DeleteTree(HKEY hive, const char* key)
{
    const LONG result = RegDeleteTreeA(hive, key);
    if (result == ERROR_SUCCESS)
        RegDeleteKeyA(hive, key);
}

inline bool KeyExists(HKEY hive, const char* key)
{
    HKEY handle = nullptr;
    if (RegOpenKeyExA(hive, key, 0, KEY_READ, &handle) != ERROR_SUCCESS)
        return false;
    RegCloseKey(handle);
    return true;
}

// Every test that touches the settings keys derives from this; they all
// live in one executable so no other test run races on the same keys.
class CleanSettings : public testing::Test {
protected:
    void SetUp() override
    {
        DeleteTree(HKEY_LOCAL_MACHINE, kRoot);
        DeleteTree(HKEY_CURRENT_USER, kRoot);
        ASSERT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kRoot));
        ASSERT_FALSE(KeyExists(HKEY_CURRENT_USER, kRoot));
    }
};

} // namespace test_registry
