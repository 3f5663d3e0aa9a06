#pragma once
// Every user-visible text is looked up by key in the language file chosen
// from the system's default language, falling back to English. Nothing is
// cached: each call resolves the language and reads the files again.

#include <string>

namespace kelp {

// The text every lookup yields when neither the selected language nor
// English has the key.
inline constexpr const char* kTextNotFound = "Error 737";

// Language name from LangFiles\VtMultiLang.ini ("English", "German", ...).
std::string GetLanguageName();
// <executable folder>LangFiles\<name>\<name>.ini
std::string GetLanguageFilePath();
// The text of key in the current language, else in English, else "Error 737".
std::string Translate(const char* key);
// The same from another section of the language files (the texts of a
// companion program).
std::string TranslateIn(const char* section, const char* key);

} // namespace kelp

// Marks a key literal that reaches Translate indirectly (tables, computed
// choices), so that the build-time key scan sees it.
#define LANG_KEY(key) key
