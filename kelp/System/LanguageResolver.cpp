#include "kelp/System/LanguageResolver.h"

#include "framework/system/ExecutableFolder.h"
#include "kelp/System/IniAccess.h"
#include "kelp/System/Language.h"

#include <cstdio>
#include <utility>

namespace kelp {

namespace {

const char* const kEnglish = "English";

std::string ReadValue(const std::string& file, const char* section, const char* key)
{
    IniAccess ini;
    if (!ini.Open(file))
        return kTextNotFound;
    return ini.ReadString(section, key, kTextNotFound);
}

std::string HexKey(unsigned value, int digits)
{
    char text[16];
    std::snprintf(text, sizeof(text), "%0*X", digits, value);
    return text;
}

} // namespace

LanguageResolver::LanguageResolver(std::string baseFolder, LanguageIdSource languageId)
    : baseFolder_(std::move(baseFolder)), languageId_(std::move(languageId))
{
}

const LanguageResolver& LanguageResolver::Process()
{
    static const LanguageResolver resolver(ExecutableFolder(), [] { return GetSystemDefaultLangID(); });
    return resolver;
}

std::string LanguageResolver::LanguageName() const
{
    const LANGID id = languageId_();
    const std::string map = baseFolder_ + "LangFiles\\VtMultiLang.ini";
    std::string name = ReadValue(map, "Languages", HexKey(id, 4).c_str());
    if (name == kTextNotFound)
        name = ReadValue(map, "Languages", HexKey(id & 0x3FF, 2).c_str());
    return name == kTextNotFound ? kEnglish : name;
}

std::string LanguageResolver::LanguageFilePath() const
{
    return FilePathFor(LanguageName());
}

std::string LanguageResolver::FilePathFor(const std::string& languageName) const
{
    return baseFolder_ + "LangFiles\\" + languageName + "\\" + languageName + ".ini";
}

std::string LanguageResolver::Translate(const char* key) const
{
    return TranslateIn("Translations", key);
}

std::string LanguageResolver::TranslateIn(const char* section, const char* key) const
{
    // A null key would ask the INI functions for the list of all keys.
    if (!key || !section)
        return kTextNotFound;
    std::string text = ReadValue(LanguageFilePath(), section, key);
    if (text == kTextNotFound)
        text = ReadValue(FilePathFor(kEnglish), section, key);
    return text;
}

} // namespace kelp
