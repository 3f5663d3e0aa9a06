#pragma once
// Resolves the program language from the language map and reads texts from
// the per-language INI files under <base folder>LangFiles\.

#include <windows.h>

#include <functional>
#include <string>

namespace kelp {

class LanguageResolver {
public:
    using LanguageIdSource = std::function<LANGID()>;

    // baseFolder is empty or ends in a backslash.
    LanguageResolver(std::string baseFolder, LanguageIdSource languageId);

    // The resolver for the program: executable folder, system default language.
    static const LanguageResolver& Process();

    // Looks the id up as four and then as two (primary language) uppercase
    // hex digits; "English" when neither is mapped or the map is missing.
    std::string LanguageName() const;
    std::string LanguageFilePath() const;
    std::string Translate(const char* key) const;
    // The same from another section of the files than the program's texts.
    std::string TranslateIn(const char* section, const char* key) const;

private:
    std::string FilePathFor(const std::string& languageName) const;

    std::string baseFolder_;
    LanguageIdSource languageId_;
};

} // namespace kelp
