#pragma once
// Skin bitmaps keyed with magenta: soft edges must have been laid over what
// lies behind the control, not over the key colour, or they show a pink
// fringe on screen.

#include "framework/graphics/Bitmap.h"

#include <utility>

constexpr TColor kMagentaKey = 0x00FF00FF;

// An edge pixel blended with magenta: red and blue well above green.
inline bool Pinkish(TColor c)
{
    const int red = c & 0xFF, green = (c >> 8) & 0xFF, blue = (c >> 16) & 0xFF;
    return red - green > 48 && blue - green > 48;
}

// Pixels next to the key colour that show a magenta tint.
inline int FringePixels(const TBitmap& bitmap)
{
    int fringe = 0;
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x) {
            const TColor c = bitmap.PixelColor(x, y);
            if (c == kMagentaKey || !Pinkish(c))
                continue;
            for (auto [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}})
                if (bitmap.PixelColor(x + dx, y + dy) == kMagentaKey) {
                    ++fringe;
                    break;
                }
        }
    return fringe;
}
