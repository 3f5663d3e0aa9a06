#pragma once
// The fonts and colours the rows of the advanced-settings form share.

#include "framework/controls/TLabel.h"

#include <memory>
#include <string>

class TAdvancedSetting;

namespace rowtext {

constexpr TColor kTitleColor = RGB(40, 63, 77);
constexpr TColor kLightColor = RGB(244, 252, 254);
constexpr TColor kGreyColor = RGB(148, 156, 158);
constexpr TColor kAlertColor = RGB(219, 23, 23);

// A row's title label on the form, in the title font of the language.
std::unique_ptr<TLabel> CreateTitle(TAdvancedSetting& form, int left, int top, const std::string& language);
// Shows a title, cut where the next column's title starts.
void SetTitle(TLabel& title, const std::string& text);
// The text as it fits into the width in the font: cut with an ellipsis
// when it is longer.
std::string FitText(const TFont& font, const std::string& text, int width);
// A transparent label on the form in Arial of the given colour.
std::unique_ptr<TLabel> CreateLabel(TAdvancedSetting& form, int left, int top, int width, int height, TColor color);

} // namespace rowtext
