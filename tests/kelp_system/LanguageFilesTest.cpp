// Checks the shipped language files against each other and against every
// key the program's sources name (the list is generated at build time).

#include "framework/system/ExecutableFolder.h"
#include "kelp/System/IniAccess.h"
#include "kelp/System/Language.h"
#include "kelp/System/LanguageResolver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <fstream>
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
    return ExecutableFolder() + "LangFiles\\" + language + "\\" + language + ".ini";
}

std::string Read(const std::string& path, const char* key)
{
    kelp::IniAccess ini;
    return ini.Open(path) ? ini.ReadString("Translations", key, kelp::kTextNotFound) : kelp::kTextNotFound;
}

std::string Upper(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::toupper(c); });
    return text;
}

std::string Bytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The "Translations" entries as the file's bytes hold them, with
// surrounding quotes dropped as the system's reader does.
std::vector<std::pair<std::string, std::string>> RawEntries(const std::string& path)
{
    std::istringstream in(Bytes(path));
    std::vector<std::pair<std::string, std::string>> entries;
    std::string line;
    bool inSection = false;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line[0] == ';')
            continue;
        if (line[0] == '[')
            inSection = line == "[Translations]";
        else if (std::string::size_type equals = line.find('='); inSection && equals != std::string::npos) {
            std::string value = line.substr(equals + 1);
            if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
                value = value.substr(1, value.size() - 2);
            entries.emplace_back(line.substr(0, equals), value);
        }
    }
    return entries;
}

TEST(LanguageFilesTest, EveryKeyTheCodeUsesHasATextInEveryLanguage)
{
    for (const char* language : kLanguages) {
        const std::string path = LanguageFile(language);
        for (const UsedKey& used : kUsedKeys) {
            std::string text = Read(path, used.key);
            EXPECT_TRUE(text != kelp::kTextNotFound && !text.empty())
                << "\"" << used.key << "\" (used in " << used.source << ") has no text in " << path;
        }
    }
}

TEST(LanguageFilesTest, LanguagesShareOneKeySetAndReadBackAsStored)
{
    std::set<std::string> englishKeys;
    for (const char* language : kLanguages) {
        const std::string path = LanguageFile(language);
        std::set<std::string> keys;
        for (const auto& [key, value] : RawEntries(path)) {
            // Keys are case-blind: a second spelling would never be read.
            EXPECT_TRUE(keys.insert(Upper(key)).second) << "\"" << key << "\" repeated in " << path;
            EXPECT_EQ(Read(path, key.c_str()), value) << key << " in " << path;
        }
        if (englishKeys.empty())
            englishKeys = keys;
        EXPECT_EQ(keys, englishKeys) << path;

        // The advanced settings put the number in place of the one "%1".
        for (const char* key : {"Aftermins", "Afterhours"}) {
            std::string text = Read(path, key);
            EXPECT_EQ(std::count(text.begin(), text.end(), '%'), 1) << key << " in " << path;
            EXPECT_NE(text.find("%1"), std::string::npos) << key << " in " << path;
        }
        // The tweak question runs straight on into "SureContinue".
        if (std::string(language) != "Japanese") {
            EXPECT_TRUE(Read(path, "TweakItConfirm").ends_with(' ')) << path;
        }
    }
    EXPECT_GT(englishKeys.size(), 80u);
}

TEST(LanguageFilesTest, FilesUseTheCodePageTheirScreensExpect)
{
    auto decodes = [](const std::string& text, UINT codePage) {
        return MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text.data(), static_cast<int>(text.size()),
                                   nullptr, 0) > 0;
    };
    auto ascii = [](const std::string& text) {
        return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    };
    EXPECT_TRUE(ascii(Bytes(LanguageFile("English"))));
    // Accented letters as single Windows-1252 bytes, not UTF-8 sequences.
    for (const char* language : {"German", "French"}) {
        const std::string text = Bytes(LanguageFile(language));
        EXPECT_FALSE(ascii(text) || decodes(text, CP_UTF8)) << language << " must be stored in code page 1252";
    }
    // The Japanese screens switch their fonts to the Shift-JIS character set.
    const std::string japanese = Bytes(LanguageFile("Japanese"));
    EXPECT_TRUE(!ascii(japanese) && decodes(japanese, 932) && !decodes(japanese, CP_UTF8))
        << "Japanese must be stored in code page 932";
}

TEST(LanguageFilesTest, MapNamesTheShippedLanguages)
{
    const std::pair<LANGID, const char*> cases[] = {{0x0409, "English"}, {0x0809, "English"}, {0x0407, "German"},
                                                     {0x0C07, "German"},  {0x040C, "French"},  {0x0C0C, "French"},
                                                     {0x0411, "Japanese"}, {0x0419, "English"}};
    for (const auto& [id, name] : cases) {
        kelp::LanguageResolver resolver(ExecutableFolder(), [id = id] { return id; });
        EXPECT_EQ(resolver.LanguageFilePath(), LanguageFile(name)) << std::hex << id;
    }
}

} // namespace
