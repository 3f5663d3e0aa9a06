#include "kelp/System/LanguageResolver.h"

#include "framework/system/ExecutableFolder.h"
#include "kelp/System/Language.h"

#include "Scratch.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

using kelp::LanguageResolver;

namespace {

class LanguageResolverTest : public testing::Test {
protected:
    scratch::Folder folder{"lang"};

    void SetUp() override
    {
        folder.Write("LangFiles\\English\\English.ini",
                     "[Translations]\r\nYes=Yes\r\nOnlyEnglish=Only in English\r\nLong=" + longText + "\r\n");
        folder.Write("LangFiles\\German\\German.ini", "[Translations]\r\nYes=Ja\r\nLong=" + longText + "!\r\n");
    }
    void Map(const std::string& entries) { folder.Write("LangFiles\\VtMultiLang.ini", "[Languages]\r\n" + entries); }
    LanguageResolver For(LANGID id, std::string base = {}) const
    {
        return LanguageResolver(base.empty() ? folder.Path() : base, [id] { return id; });
    }

    const std::string longText = std::string(200, 'L') + " end";
};

TEST_F(LanguageResolverTest, ResolvesFullThenPrimaryLanguageThenEnglish)
{
    Map("07=German\r\n");
    EXPECT_EQ(For(0x0407).LanguageName(), "German");
    EXPECT_EQ(For(0x0807).LanguageName(), "German"); // Swiss German shares the primary language
    EXPECT_EQ(For(0x0409).LanguageName(), "English");
    EXPECT_EQ(For(0x040C).LanguageName(), "English");

    // The full identifier wins over the primary language; two hex digits in
    // upper case for primary languages above 9.
    Map("0807=Swiss\r\n07=German\r\n0C=French\r\n");
    EXPECT_EQ(For(0x0807).LanguageName(), "Swiss");
    EXPECT_EQ(For(0x0407).LanguageName(), "German");
    EXPECT_EQ(For(0x0C0C).LanguageName(), "French");

    std::filesystem::remove(folder.Path() + "LangFiles\\VtMultiLang.ini");
    EXPECT_EQ(For(0x0407).LanguageName(), "English");
}

TEST_F(LanguageResolverTest, TranslatesWithFallbackToEnglish)
{
    Map("07=German\r\n");
    const LanguageResolver german = For(0x0407);
    EXPECT_EQ(german.LanguageFilePath(), folder.Path() + "LangFiles\\German\\German.ini");
    EXPECT_EQ(german.Translate("Yes"), "Ja");
    EXPECT_EQ(german.Translate("OnlyEnglish"), "Only in English");
    EXPECT_EQ(german.Translate("Nowhere"), "Error 737");
    EXPECT_EQ(german.Translate(nullptr), "Error 737");
    EXPECT_EQ(german.Translate("Long"), longText + "!");

    // A mapped language without files of its own falls back key by key.
    Map("07=Klingon\r\n");
    EXPECT_EQ(german.Translate("Yes"), "Yes");
    EXPECT_EQ(german.Translate("Long"), longText);

    std::filesystem::remove_all(folder.Path() + "LangFiles\\English");
    EXPECT_EQ(german.Translate("Yes"), "Error 737");
}

TEST_F(LanguageResolverTest, EmptyBaseFolderMeansTheCurrentDirectory)
{
    Map("07=German\r\n");
    char previous[MAX_PATH] = {};
    GetCurrentDirectoryA(sizeof(previous), previous);
    ASSERT_TRUE(SetCurrentDirectoryA(folder.Path().c_str()));
    LanguageResolver relative("", [] { return LANGID(0x0407); });
    std::string path = relative.LanguageFilePath();
    std::string text = relative.Translate("Yes");
    SetCurrentDirectoryA(previous);

    EXPECT_EQ(path, "LangFiles\\German\\German.ini");
    EXPECT_EQ(text, "Ja");
}

TEST(LanguageTest, ProgramLooksBesideItsExecutable)
{
    const std::string folder = ExecutableFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), '\\');
    EXPECT_TRUE(std::filesystem::is_regular_file(folder + "LangFiles\\VtMultiLang.ini")) << folder;

    const std::string file = kelp::GetLanguageFilePath();
    EXPECT_EQ(file, folder + "LangFiles\\" + kelp::GetLanguageName() + "\\" + kelp::GetLanguageName() + ".ini");
    EXPECT_TRUE(std::filesystem::is_regular_file(file)) << file;
    EXPECT_NE(kelp::Translate("OK"), "Error 737");
    EXPECT_EQ(kelp::Translate("NoSuchKeyAnywhere"), "Error 737");
}

} // namespace
