#pragma once
// The fonts and colours the rows of the advanced-settings form share.

#include "framework/controls/TLabel.h"

#include <string>

class TAdvancedSetting;

namespace rowtext {

constexpr TColor kTitleColor = RGB(40, 63, 77);
constexpr TColor kLightColor = RGB(244, 252, 254);
constexpr TColor kGreyColor = RGB(148, 156, 158);
constexpr TColor kAlertColor = RGB(219, 23, 23);

// A row's title label on the form, in the title font of the language.
TLabel* CreateTitle(TAdvancedSetting& form, int left, int top, const std::string& language);
// A transparent label on the form in Arial of the given colour.
TLabel* CreateLabel(TAdvancedSetting& form, int left, int top, int width, int height, TColor color);

} // namespace rowtext
