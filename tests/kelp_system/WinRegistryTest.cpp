#include "kelp/System/WinRegistry.h"

#include "Scratch.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

using kelp::RegistryKey;
using kelp::RegistryKeyReader;

namespace {

class WinRegistryTest : public testing::Test {
protected:
    scratch::RegistryArea area{"registry"};
    RegistryKey key;

    void SetUp() override { ASSERT_TRUE(key.Open(HKEY_CURRENT_USER, area.Path().c_str(), true)); }
};

TEST_F(WinRegistryTest, ValuesRoundTripAndMismatchedReadsKeepTheCallersData)
{
    const BYTE stamp[8] = {1, 2, 3, 4, 250, 251, 252, 253};
    EXPECT_TRUE(key.WriteDword("Level", 0x4000));
    EXPECT_TRUE(key.WriteBinary("ResetTime", stamp, sizeof(stamp)));
    EXPECT_TRUE(key.WriteString("Version", "1.2.3"));
    key.Flush();

    RegistryKeyReader reader;
    ASSERT_TRUE(reader.Open(HKEY_CURRENT_USER, area.Path().c_str()));
    DWORD level = 0;
    EXPECT_TRUE(reader.ReadDword("Level", level));
    EXPECT_EQ(level, 0x4000u);
    BYTE read[16] = {};
    DWORD size = sizeof(read);
    EXPECT_TRUE(reader.ReadBinary("ResetTime", read, size));
    ASSERT_EQ(size, sizeof(stamp));
    EXPECT_EQ(std::memcmp(read, stamp, sizeof(stamp)), 0);
    std::string version;
    EXPECT_TRUE(reader.ReadString("Version", version));
    EXPECT_EQ(version, "1.2.3");

    // Wrong type, missing, or too large for the buffer: false, nothing overwritten.
    DWORD value = 55;
    EXPECT_FALSE(reader.ReadDword("Version", value));
    EXPECT_FALSE(reader.ReadDword("Missing", value));
    EXPECT_EQ(value, 55u);
    std::string text = "default";
    EXPECT_FALSE(reader.ReadString("Level", text));
    EXPECT_EQ(text, "default");
    BYTE small[4] = {0xEE, 0xEE, 0xEE, 0xEE};
    size = sizeof(small);
    EXPECT_FALSE(reader.ReadBinary("Version", small, size));
    EXPECT_FALSE(reader.ReadBinary("ResetTime", small, size));
    EXPECT_EQ(size, sizeof(small));
    EXPECT_EQ(std::memcmp(small, "\xEE\xEE\xEE\xEE", 4), 0);

    EXPECT_TRUE(key.DeleteValue("Level"));
    EXPECT_FALSE(key.ReadDword("Level", value));
    EXPECT_FALSE(key.DeleteValue("Level"));
}

TEST_F(WinRegistryTest, ReadStringAcceptsAllStringTypesAndUnterminatedData)
{
    HKEY raw = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, area.Path().c_str(), 0, KEY_SET_VALUE, &raw), ERROR_SUCCESS);
    RegSetValueExA(raw, "Expand", 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>("%TEMP%\\x"), 9);
    RegSetValueExA(raw, "Multi", 0, REG_MULTI_SZ, reinterpret_cast<const BYTE*>("first\0second\0"), 14);
    RegSetValueExA(raw, "Bare", 0, REG_SZ, reinterpret_cast<const BYTE*>("abc"), 3); // no terminator
    RegCloseKey(raw);

    std::string text;
    EXPECT_TRUE(key.ReadString("Expand", text));
    EXPECT_EQ(text, "%TEMP%\\x");
    EXPECT_TRUE(key.ReadString("Multi", text));
    EXPECT_EQ(text, "first");
    EXPECT_TRUE(key.ReadString("Bare", text));
    EXPECT_EQ(text, "abc");
}

TEST_F(WinRegistryTest, OpenCreatesOnlyWhenAskedAndClosedKeysFailEverything)
{
    const std::string path = area.Sub("Fresh");
    RegistryKey fresh;
    EXPECT_FALSE(fresh.Open(HKEY_CURRENT_USER, path.c_str(), false));
    EXPECT_FALSE(fresh.IsOpen());
    RegistryKeyReader reader;
    EXPECT_FALSE(reader.Open(HKEY_CURRENT_USER, path.c_str()));
    EXPECT_FALSE(fresh.WriteDword("Value", 1));
    DWORD value = 0;
    EXPECT_FALSE(fresh.ReadDword("Value", value));

    ASSERT_TRUE(fresh.Open(HKEY_CURRENT_USER, path.c_str(), true));
    EXPECT_TRUE(fresh.WriteDword("Value", 1));
    fresh.Close();
    fresh.Close();
    EXPECT_FALSE(fresh.WriteDword("Value", 2));

    // The created key now opens without create, and the closed object is reusable.
    ASSERT_TRUE(reader.Open(HKEY_CURRENT_USER, path.c_str()));
    ASSERT_TRUE(fresh.Open(HKEY_CURRENT_USER, path.c_str(), false));
    EXPECT_TRUE(fresh.ReadDword("Value", value));
    EXPECT_EQ(value, 1u);
}

TEST_F(WinRegistryTest, NameBuffersFitTheLongestNames)
{
    // An empty key: room for the terminator only, and nothing to list.
    EXPECT_EQ(key.ValueNames().Length(), 1u);
    EXPECT_EQ(key.SubKeyNames().Length(), 1u);
    std::string name;
    EXPECT_FALSE(key.ValueNames().NameAt(0, name));

    EXPECT_TRUE(key.WriteDword("ab", 1));
    EXPECT_TRUE(key.WriteDword("Threshold6", 2));
    RegistryKey child;
    ASSERT_TRUE(child.Open(HKEY_CURRENT_USER, area.Sub("Advance").c_str(), true));
    key.Close();
    EXPECT_EQ(key.ValueNames().Length(), 0u);

    RegistryKeyReader reader;
    ASSERT_TRUE(reader.Open(HKEY_CURRENT_USER, area.Path().c_str()));
    EXPECT_EQ(reader.ValueNames().Length(), std::strlen("Threshold6") + 1);
    EXPECT_EQ(reader.SubKeyNames().Length(), std::strlen("Advance") + 1);
    std::string all;
    for (DWORD i = 0; reader.ValueNames().NameAt(i, name); ++i)
        all += name + ";";
    EXPECT_TRUE(all == "ab;Threshold6;" || all == "Threshold6;ab;") << all;
    EXPECT_TRUE(reader.SubKeyNames().NameAt(0, name));
    EXPECT_EQ(name, "Advance");
}

// The child process only opens an existing key, so it leaves nothing behind.
TEST(WinRegistryDeathTest, OpeningAnOpenKeyIsAProgrammingError)
{
    SetEnvironmentVariableA("PELLIX_ASSERT_QUIET", "1");
    const char* report = "Assertion failed: !IsOpen\\(\\), file kelp\\\\System\\\\Source\\\\WinRegistry, line \\d+";
    EXPECT_EXIT(
        {
            RegistryKey key;
            if (key.Open(HKEY_CURRENT_USER, "Software", false))
                key.Open(HKEY_CURRENT_USER, "Software", false);
        },
        testing::ExitedWithCode(3), report);
    EXPECT_EXIT(
        {
            RegistryKeyReader reader;
            if (reader.Open(HKEY_CURRENT_USER, "Software"))
                reader.Open(HKEY_CURRENT_USER, "Software");
        },
        testing::ExitedWithCode(3), report);
}

} // namespace
