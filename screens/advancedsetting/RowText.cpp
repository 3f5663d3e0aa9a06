#include "screens/advancedsetting/RowText.h"

#include "framework/graphics/Font.h"
#include "screens/advancedsetting/TAdvancedSetting.h"
#include "screens/dialogs/DialogFonts.h"

namespace rowtext {

std::string FitText(const TFont& font, const std::string& text, int width)
{
    TBitmap scratch;
    TCanvas& canvas = scratch.Canvas();
    canvas.Font().Assign(font);
    if (canvas.TextExtent(text).cx <= width)
        return text;
    // Drop whole characters (two bytes for a double-byte one) from the end
    // until the rest and the ellipsis fit.
    const char* begin = text.c_str();
    const char* end = begin + text.size();
    while (end > begin) {
        end = CharPrevA(begin, end);
        std::string shortened(begin, end);
        shortened += "...";
        if (canvas.TextExtent(shortened).cx <= width)
            return shortened;
    }
    return "...";
}

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

void SetTitle(TLabel& title, const std::string& text)
{
    // Option rows stand 187 px apart.
    title.SetCaption(FitText(title.Font(), text, 183));
}

std::unique_ptr<TLabel> CreateTitle(TAdvancedSetting& form, int left, int top, const std::string& language)
{
    std::unique_ptr<TLabel> title = CreateLabel(form, left, top, 200, 16, kTitleColor);
    if (language == "Japanese") {
        title->Font().SetCharset(dialogs::kShiftJisCharset);
        title->Font().SetHeight(-12);
    } else if (language == "German" || language == "French") {
        // The longer German and French titles need the smaller size to stay
        // clear of the next column.
        title->Font().SetHeight(-11);
    }
    return title;
}

} // namespace rowtext
