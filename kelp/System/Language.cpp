#include "kelp/System/Language.h"

#include "kelp/System/LanguageResolver.h"

namespace kelp {

std::string GetLanguageName()
{
    return LanguageResolver::Process().LanguageName();
}

std::string GetLanguageFilePath()
{
    return LanguageResolver::Process().LanguageFilePath();
}

std::string Translate(const char* key)
{
    return LanguageResolver::Process().Translate(key);
}

std::string TranslateIn(const char* section, const char* key)
{
    return LanguageResolver::Process().TranslateIn(section, key);
}

} // namespace kelp
