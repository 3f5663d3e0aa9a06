#include "screens/advancedsetting/RowText.h"

#include "framework/graphics/Font.h"
#include "screens/dialogs/DialogFonts.h"
#include "screens/advancedsetting/TAdvancedSetting.h"

namespace rowtext {

std::unique_ptr<TLabel> CreateLabel(TAdvancedSetting& form, int left, int top, int width, int height, TColor color)
{
    auto label = std::make_unique<TLabel>(nullptr);
    label->SetParent(&form);
    label->SetBounds(left, top, width, height);
    label->SetTransparent(true);
    label->Font().SetName("Arial");
    label->Font().SetHeight(-13);
    label->Font().SetColor(color);
    return label;
}

std::unique_ptr<TLabel> CreateTitle(TAdvancedSetting& form, int left, int top, const std::string& language)
{
    std::unique_ptr<TLabel> title = CreateLabel(form, left, top, 200, 16, kTitleColor);
    if (language == "Japanese") {
        title->Font().SetCharset(dialogs::kShiftJisCharset);
        title->Font().SetHeight(-12);
    } else if (language == "German") {
        title->Font().SetHeight(-11);
    }
    return title;
}

} // namespace rowtext
