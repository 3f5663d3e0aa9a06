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

    // Stores raw data of any type, bypassing the classes under test.
    void Store(const char* name, DWORD type, const void* data, DWORD size)
    {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, area.Path().c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                  &key, nullptr),
                  ERROR_SUCCESS);
        ASSERT_EQ(RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
        RegCloseKey(key);
    }
};

TEST_F(WinRegistryTest, WrittenValuesReadBackThroughBothClasses)
{
    const BYTE stamp[8] = {1, 2, 3, 4, 250, 251, 252, 253};
    {
        RegistryKey key;
        ASSERT_TRUE(key.Open(HKEY_CURRENT_USER, area.Path().c_str(), true));
        EXPECT_TRUE(key.WriteDword("Level", 0x4000));
        EXPECT_TRUE(key.WriteBinary("ResetTime", stamp, sizeof(stamp)));
        EXPECT_TRUE(key.WriteString("Version", "1.2.3"));
        key.Flush();
    }
    RegistryKeyReader reader;
    ASSERT_TRUE(reader.Open(HKEY_CURRENT_USER, area.Path().c_str()));
    DWORD level = 0;
    EXPECT_TRUE(reader.ReadDword("Level", level));
    EXPECT_EQ(level, 0x4000u);

    BYTE read[16] = {};
    DWORD size = sizeof(read);
    EXPECT_TRUE(reader.ReadBinary("ResetTime", read, size));
    EXPECT_EQ(size, sizeof(stamp));
    EXPECT_EQ(std::memcmp(read, stamp, sizeof(stamp)), 0);

    std::string version;
    EXPECT_TRUE(reader.ReadString("Version", version));
    EXPECT_EQ(version, "1.2.3");
}

TEST_F(WinRegistryTest, ReadsOfMissingOrMistypedValuesFailAndKeepTheDefault)
{
    RegistryKey key;
    ASSERT_TRUE(key.Open(HKEY_CURRENT_USER, area.Path().c_str(), true));
    ASSERT_TRUE(key.WriteString("Text", "12345678"));
    ASSERT_TRUE(key.WriteDword("Number", 7));
    const BYTE big[12] = {9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9};
    ASSERT_TRUE(key.WriteBinary("Blob", big, sizeof(big)));

    DWORD value = 55;
    EXPECT_FALSE(key.ReadDword("Text", value));
    EXPECT_FALSE(key.ReadDword("Missing", value));
    EXPECT_FALSE(key.ReadDword("Blob", value));
    EXPECT_EQ(value, 55u);

    std::string text = "default";
    EXPECT_FALSE(key.ReadString("Number", text));
    EXPECT_FALSE(key.ReadString("Missing", text));
    EXPECT_EQ(text, "default");

    // A string value as binary, and a value larger than the buffer.
    BYTE buffer[8] = {0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE};
    DWORD size = sizeof(buffer);
    EXPECT_FALSE(key.ReadBinary("Text", buffer, size));
    EXPECT_FALSE(key.ReadBinary("Blob", buffer, size));
    EXPECT_EQ(size, sizeof(buffer));
    for (BYTE b : buffer)
        EXPECT_EQ(b, 0xEE);

    EXPECT_TRUE(key.DeleteValue("Number"));
    EXPECT_FALSE(key.ReadDword("Number", value));
    EXPECT_FALSE(key.DeleteValue("Number"));
}

TEST_F(WinRegistryTest, ReadStringAcceptsAllStringTypesAndUnterminatedData)
{
    Store("Expand", REG_EXPAND_SZ, "%TEMP%\\x", 9);
    Store("Multi", REG_MULTI_SZ, "first\0second\0", 14);
    Store("Bare", REG_SZ, "abc", 3); // stored without its terminator
    Store("Empty", REG_SZ, "", 0);

    RegistryKeyReader reader;
    ASSERT_TRUE(reader.Open(HKEY_CURRENT_USER, area.Path().c_str()));
    std::string text;
    EXPECT_TRUE(reader.ReadString("Expand", text));
    EXPECT_EQ(text, "%TEMP%\\x");
    EXPECT_TRUE(reader.ReadString("Multi", text));
    EXPECT_EQ(text, "first");
    EXPECT_TRUE(reader.ReadString("Bare", text));
    EXPECT_EQ(text, "abc");
    EXPECT_TRUE(reader.ReadString("Empty", text));
    EXPECT_EQ(text, "");
}

TEST_F(WinRegistryTest, OpenCreatesOnlyWhenAskedAndClosedKeysFailEverything)
{
    const std::string path = area.Sub("Fresh");
    RegistryKey key;
    EXPECT_FALSE(key.Open(HKEY_CURRENT_USER, path.c_str(), false));
    EXPECT_FALSE(key.IsOpen());
    EXPECT_FALSE(area.Exists(path));
    EXPECT_FALSE(key.WriteDword("Value", 1));
    EXPECT_FALSE(key.WriteString("Value", "x"));
    EXPECT_FALSE(key.DeleteValue("Value"));
    DWORD value = 0;
    EXPECT_FALSE(key.ReadDword("Value", value));
    key.Flush(); // harmless without a handle

    RegistryKeyReader reader;
    EXPECT_FALSE(reader.Open(HKEY_CURRENT_USER, path.c_str()));
    EXPECT_FALSE(reader.IsOpen());

    ASSERT_TRUE(key.Open(HKEY_CURRENT_USER, path.c_str(), true));
    EXPECT_TRUE(key.IsOpen());
    EXPECT_TRUE(area.Exists(path));
    EXPECT_TRUE(key.WriteDword("Value", 1));

    // Closed again, the same object can open another key.
    key.Close();
    key.Close();
    EXPECT_FALSE(key.IsOpen());
    EXPECT_FALSE(key.WriteDword("Value", 2));
    ASSERT_TRUE(key.Open(HKEY_CURRENT_USER, path.c_str(), false));
    EXPECT_TRUE(key.ReadDword("Value", value));
    EXPECT_EQ(value, 1u);
}

TEST_F(WinRegistryTest, NameBuffersFitTheLongestNames)
{
    RegistryKey key;
    ASSERT_TRUE(key.Open(HKEY_CURRENT_USER, area.Path().c_str(), true));
    // An empty key: room for the terminator only, and nothing to list.
    EXPECT_EQ(key.ValueNames().Length(), 1u);
    EXPECT_EQ(key.SubKeyNames().Length(), 1u);
    std::string name;
    EXPECT_FALSE(key.ValueNames().NameAt(0, name));
    EXPECT_TRUE(key.WriteDword("Still", 1));

    EXPECT_TRUE(key.WriteDword("ab", 1));
    EXPECT_TRUE(key.WriteDword("Threshold6", 2));
    {
        RegistryKey child;
        ASSERT_TRUE(child.Open(HKEY_CURRENT_USER, area.Sub("Advance").c_str(), true));
    }
    key.Close();
    EXPECT_EQ(key.ValueNames().Length(), 0u);

    RegistryKeyReader reader;
    ASSERT_TRUE(reader.Open(HKEY_CURRENT_USER, area.Path().c_str()));
    EXPECT_EQ(reader.ValueNames().Length(), std::strlen("Threshold6") + 1);
    EXPECT_EQ(reader.SubKeyNames().Length(), std::strlen("Advance") + 1);
    std::string all;
    for (DWORD i = 0; reader.ValueNames().NameAt(i, name); ++i)
        all += name + ";";
    EXPECT_NE(all.find("Threshold6;"), std::string::npos);
    EXPECT_NE(all.find("ab;"), std::string::npos);
    EXPECT_NE(all.find("Still;"), std::string::npos);
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
