#include "screens/dialogs/CoverPicture.h"

namespace dialogs {

void BuildCoverPicture(const TBitmap& mainBackground, TBitmap& cover)
{
    cover.Assign(mainBackground);
    cover.SetPixelFormat(TPixelFormat::pf24bit);
    const TColor key = mainBackground.TransparentColor() & 0xFFFFFF;
    const BYTE blue = GetBValue(kCoverColor), green = GetGValue(kCoverColor), red = GetRValue(kCoverColor);
    for (int y = 0; y < cover.Height(); ++y) {
        uint8_t* pixel = cover.ScanLine(y);
        for (int x = 0; x < cover.Width(); ++x, pixel += 3) {
            const TColor colour = RGB(pixel[2], pixel[1], pixel[0]);
            if (colour == key)
                continue;
            pixel[0] = blue;
            pixel[1] = green;
            pixel[2] = red;
        }
    }
    cover.SetTransparentColor(key);
    cover.Changed();
}

} // namespace dialogs
