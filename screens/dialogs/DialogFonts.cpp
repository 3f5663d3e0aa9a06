#include "screens/dialogs/DialogFonts.h"

namespace dialogs {

void UseLanguageCharset(const std::string& language, const std::vector<TFont*>& fonts)
{
    if (language != "Japanese")
        return;
    for (TFont* font : fonts)
        font->SetCharset(kShiftJisCharset);
}

void UseLanguageButtonHeight(const std::string& language, const std::vector<TFont*>& buttonFonts)
{
    if (language != "Japanese" && language != "German")
        return;
    for (TFont* font : buttonFonts)
        font->SetHeight(kSmallButtonFontHeight);
}

} // namespace dialogs
