#include "kelp/System/IniAccess.h"

#include "Scratch.h"

#include <gtest/gtest.h>

#include <string>

using kelp::IniAccess;

namespace {

class IniAccessTest : public testing::Test {
protected:
    scratch::Folder folder{"ini"};
    std::string File(const char* name) const { return folder.Path() + name; }
};

TEST_F(IniAccessTest, ReadsValuesOfAnyLengthCompletely)
{
    // Around the first buffer size of 128 and far beyond it.
    std::string content = "[Translations]\r\n";
    for (size_t length : {1u, 126u, 127u, 128u, 129u, 255u, 256u, 3000u})
        content += "Len" + std::to_string(length) + "=" + std::string(length, 'a' + length % 26) + "\r\n";
    folder.Write("long.ini", content);

    IniAccess ini;
    ASSERT_TRUE(ini.Open(File("long.ini")));
    for (size_t length : {1u, 126u, 127u, 128u, 129u, 255u, 256u, 3000u}) {
        std::string key = "Len" + std::to_string(length);
        EXPECT_EQ(ini.ReadString("Translations", key.c_str(), "Error 737"), std::string(length, 'a' + length % 26))
            << key;
    }
}

TEST_F(IniAccessTest, MissingEntriesAndFilesGiveTheDefault)
{
    folder.Write("a.ini", "[Translations]\r\nYes=Ja\r\n");
    IniAccess ini;
    ASSERT_TRUE(ini.Open(File("a.ini")));
    EXPECT_EQ(ini.ReadString("Translations", "Yes", "Error 737"), "Ja");
    EXPECT_EQ(ini.ReadString("Translations", "No", "Error 737"), "Error 737");
    EXPECT_EQ(ini.ReadString("Other", "Yes", "Error 737"), "Error 737");
    std::string longDefault(300, 'd');
    EXPECT_EQ(ini.ReadString("Translations", "No", longDefault.c_str()), longDefault);

    IniAccess missing;
    ASSERT_TRUE(missing.Open(File("absent.ini"))); // opening never touches the file
    EXPECT_EQ(missing.ReadString("Translations", "Yes", "Error 737"), "Error 737");

    ini.Close();
    EXPECT_FALSE(ini.IsOpen());
    EXPECT_EQ(ini.ReadString("Translations", "Yes", "fallback"), "fallback");
    ASSERT_TRUE(ini.Open(File("a.ini")));
    EXPECT_EQ(ini.ReadString("Translations", "Yes", nullptr), "Ja");
}

TEST_F(IniAccessTest, ListsAllKeysOfASectionWhenNoKeyIsGiven)
{
    // Long enough to need several doublings of the buffer.
    std::string content = "[Languages]\r\n";
    std::string expected;
    for (int i = 0; i < 60; ++i) {
        std::string key = "Key" + std::to_string(1000 + i);
        content += key + "=x\r\n";
        expected += key + '\0';
    }
    folder.Write("list.ini", content);

    IniAccess ini;
    ASSERT_TRUE(ini.Open(File("list.ini")));
    EXPECT_EQ(ini.ReadString("Languages", nullptr, ""), expected);
}

TEST(IniAccessDeathTest, OpeningAnOpenFileIsAProgrammingError)
{
    SetEnvironmentVariableA("PELLIX_ASSERT_QUIET", "1");
    EXPECT_EXIT(
        {
            IniAccess ini;
            ini.Open("x.ini");
            ini.Open("x.ini");
        },
        testing::ExitedWithCode(3), "Assertion failed: !IsOpen\\(\\), file kelp\\\\System\\\\Source\\\\IniAccess, line \\d+");
}

} // namespace
