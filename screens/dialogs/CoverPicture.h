#pragma once
// The picture of the cover that dims the main window: the main window's
// outline in one dark colour, its transparent pixels kept transparent.

#include "framework/graphics/Bitmap.h"

namespace dialogs {

constexpr TColor kCoverColor = RGB(89, 81, 60);
constexpr BYTE kCoverAlpha = 100;

// Rebuilds `cover` from the main window's current background.
void BuildCoverPicture(const TBitmap& mainBackground, TBitmap& cover);

} // namespace dialogs
