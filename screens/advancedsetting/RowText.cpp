#include "screens/advancedsetting/RowText.h"

#include "framework/graphics/Font.h"
#include "screens/dialogs/DialogFonts.h"
#include "screens/advancedsetting/TAdvancedSetting.h"

namespace rowtext {

TLabel* CreateLabel(TAdvancedSetting& form, int left, int top, int width, int height, TColor color)
{
    auto* label = new TLabel(&form); // owned and freed by the form
    label->SetParent(&form);
    label->SetBounds(left, top, width, height);
    label->SetTransparent(true);
    label->Font().SetName("Arial");
    label->Font().SetHeight(-13);
    label->Font().SetColor(color);
    return label;
}

TLabel* CreateTitle(TAdvancedSetting& form, int left, int top, const std::string& language)
{
    TLabel* title = CreateLabel(form, left, top, 200, 16, kTitleColor);
    if (language == "Japanese") {
        title->Font().SetCharset(dialogs::kShiftJisCharset);
        title->Font().SetHeight(-12);
    } else if (language == "German") {
        title->Font().SetHeight(-11);
    }
    return title;
}

} // namespace rowtext
