#pragma once
// Font rules of the dialogs per language: Japanese texts need the Shift-JIS
// character set, and the longer German and Japanese captions a smaller
// button font.

#include "framework/graphics/Font.h"

#include <string>
#include <vector>

namespace dialogs {

constexpr BYTE kShiftJisCharset = 128;
constexpr int kSmallButtonFontHeight = -11;

// Sets the character set of every font for Japanese; other languages leave
// the fonts as they are.
void UseLanguageCharset(const std::string& language, const std::vector<TFont*>& fonts);
// The smaller height for button captions in German and Japanese.
void UseLanguageButtonHeight(const std::string& language, const std::vector<TFont*>& buttonFonts);

} // namespace dialogs
