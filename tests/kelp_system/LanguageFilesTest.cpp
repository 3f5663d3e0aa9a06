// Checks the shipped language files against each other and against every
// key the program's sources name (the list is generated at build time).

#include "kelp/System/IniAccess.h"
#include "kelp/System/Language.h"
#include "kelp/System/LanguageResolver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct UsedKey {
    const char* key;
    const char* source;
};

const std::vector<UsedKey> kUsedKeys = {
#include "LanguageKeys.inc"
};

const char* const kLanguages[] = {"English", "German", "French", "Japanese"};

std::string LanguageFile(const std::string& language)
{
    return kelp::ExecutableFolder() + "LangFiles\\" + language + "\\" + language + ".ini";
}

std::string Upper(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::toupper(c); });
    return text;
}

std::string Trim(const std::string& text)
{
    const char* blanks = " \t\r";
    std::string::size_type first = text.find_first_not_of(blanks);
    if (first == std::string::npos)
        return std::string();
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

// The "Translations" entries exactly as the file's bytes hold them, in file
// order; surrounding quotes are dropped as the system's reader does.
std::vector<std::pair<std::string, std::string>> RawEntries(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::vector<std::pair<std::string, std::string>> entries;
    std::string line;
    bool inSection = false;
    while (std::getline(in, line)) {
        line = Trim(line);
        if (line.empty() || line[0] == ';')
            continue;
        if (line[0] == '[') {
            inSection = line == "[Translations]";
            continue;
        }
        std::string::size_type equals = line.find('=');
        if (!inSection || equals == std::string::npos)
            continue;
        std::string value = Trim(line.substr(equals + 1));
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
            value = value.substr(1, value.size() - 2);
        entries.emplace_back(Trim(line.substr(0, equals)), value);
    }
    return entries;
}

std::string Read(const std::string& path, const char* key)
{
    kelp::IniAccess ini;
    if (!ini.Open(path))
        return kelp::kTextNotFound;
    return ini.ReadString("Translations", key, kelp::kTextNotFound);
}

std::set<std::string> KeySet(const std::string& path)
{
    kelp::IniAccess ini;
    std::set<std::string> keys;
    if (!ini.Open(path))
        return keys;
    std::istringstream list(ini.ReadString("Translations", nullptr, ""));
    std::string key;
    while (std::getline(list, key, '\0'))
        keys.insert(Upper(key));
    return keys;
}

TEST(LanguageFilesTest, EveryKeyTheCodeUsesHasATextInEveryLanguage)
{
    for (const char* language : kLanguages) {
        const std::string path = LanguageFile(language);
        for (const UsedKey& used : kUsedKeys) {
            std::string text = Read(path, used.key);
            EXPECT_NE(text, kelp::kTextNotFound) << "\"" << used.key << "\" (used in " << used.source
                                                 << ") is missing from " << path;
            EXPECT_FALSE(text.empty()) << "\"" << used.key << "\" is empty in " << path;
        }
    }
}

TEST(LanguageFilesTest, AllLanguagesHaveTheSameKeysOnceEach)
{
    const std::set<std::string> english = KeySet(LanguageFile("English"));
    ASSERT_FALSE(english.empty());
    for (const char* language : kLanguages) {
        const std::string path = LanguageFile(language);
        EXPECT_EQ(KeySet(path), english) << path;

        // The system reads only the first of two equal keys (in any case).
        std::map<std::string, int> seen;
        for (const auto& entry : RawEntries(path))
            EXPECT_EQ(++seen[Upper(entry.first)], 1) << "\"" << entry.first << "\" repeated in " << path;
    }
}

TEST(LanguageFilesTest, TextsReadBackExactlyAsStored)
{
    for (const char* language : kLanguages) {
        const std::string path = LanguageFile(language);
        auto entries = RawEntries(path);
        ASSERT_FALSE(entries.empty()) << path;
        for (const auto& entry : entries)
            EXPECT_EQ(Read(path, entry.first.c_str()), entry.second) << entry.first << " in " << path;
    }
}

TEST(LanguageFilesTest, FilesUseTheCodePageTheirScreensExpect)
{
    auto bytes = [](const char* language) {
        std::ifstream in(LanguageFile(language), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    };
    auto decodes = [](const std::string& text, UINT codePage) {
        return MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text.data(), static_cast<int>(text.size()),
                                   nullptr, 0) > 0;
    };
    auto hasHighBytes = [](const std::string& text) {
        return std::any_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
    };

    const std::string english = bytes("English");
    EXPECT_FALSE(hasHighBytes(english)) << "English texts are plain ASCII";
    // Accented letters as single Windows-1252 bytes, not UTF-8 sequences.
    for (const char* language : {"German", "French"}) {
        const std::string text = bytes(language);
        EXPECT_TRUE(hasHighBytes(text)) << language;
        EXPECT_FALSE(decodes(text, CP_UTF8)) << language << " must be stored in code page 1252";
    }
    // The Japanese screens switch their fonts to the Shift-JIS character set.
    const std::string japanese = bytes("Japanese");
    EXPECT_TRUE(hasHighBytes(japanese));
    EXPECT_TRUE(decodes(japanese, 932)) << "Japanese must be stored in code page 932";
    EXPECT_FALSE(decodes(japanese, CP_UTF8));
}

TEST(LanguageFilesTest, TextsKeepTheShapeTheScreensBuildOn)
{
    for (const char* language : kLanguages) {
        const std::string path = LanguageFile(language);
        // The advanced settings put the number in place of the first "%1".
        for (const char* key : {"Aftermins", "Afterhours"}) {
            std::string text = Read(path, key);
            EXPECT_NE(text.find("%1"), std::string::npos) << key << " in " << path;
            EXPECT_EQ(text.find("%1", text.find("%1") + 2), std::string::npos) << key << " in " << path;
        }
        // The tweak question runs straight on into "SureContinue".
        if (std::string(language) != "Japanese") {
            std::string text = Read(path, "TweakItConfirm");
            ASSERT_FALSE(text.empty());
            EXPECT_EQ(text.back(), ' ') << path;
        }
    }
}

TEST(LanguageFilesTest, MapNamesTheShippedLanguages)
{
    const struct {
        LANGID id;
        const char* name;
    } cases[] = {{0x0409, "English"}, {0x0809, "English"}, {0x0407, "German"}, {0x0C07, "German"},
                 {0x040C, "French"},  {0x0C0C, "French"},  {0x0411, "Japanese"}, {0x0419, "English"}};
    for (const auto& c : cases) {
        kelp::LanguageResolver resolver(kelp::ExecutableFolder(), [&c] { return c.id; });
        EXPECT_EQ(resolver.LanguageName(), c.name) << std::hex << c.id;
        EXPECT_EQ(resolver.LanguageFilePath(), LanguageFile(c.name));
    }
}

} // namespace
