#include "tests/support/TrayPictures.h"

#include <string>

namespace traytest {

IconBits ReadIconBits(HICON icon)
{
    IconBits picture;
    ICONINFO info{};
    if (!icon || !GetIconInfo(icon, &info))
        return picture;
    BITMAP mask{}, colour{};
    if (GetObjectA(info.hbmMask, sizeof mask, &mask) &&
        (!info.hbmColor || GetObjectA(info.hbmColor, sizeof colour, &colour))) {
        const size_t maskBytes = BitmapBytes(mask.bmWidth, mask.bmHeight, mask.bmPlanes, mask.bmBitsPixel);
        const size_t colourBytes =
            info.hbmColor ? BitmapBytes(colour.bmWidth, colour.bmHeight, colour.bmPlanes, colour.bmBitsPixel) : 0;
        picture.bits.resize(maskBytes + colourBytes);
        GetBitmapBits(info.hbmMask, LONG(maskBytes), picture.bits.data());
        if (info.hbmColor) {
            GetBitmapBits(info.hbmColor, LONG(colourBytes), picture.bits.data() + maskBytes);
            picture.width = colour.bmWidth;
            picture.height = colour.bmHeight;
            picture.planes = colour.bmPlanes;
            picture.bitsPerPixel = colour.bmBitsPixel;
        } else {
            picture.width = mask.bmWidth;
            picture.height = mask.bmHeight / 2;
            picture.planes = 1;
            picture.bitsPerPixel = 1;
        }
    }
    if (info.hbmColor)
        DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return picture;
}

IconBits TrayPictures::FileBits(int index, uint32_t width, uint32_t height) const
{
    const std::string path = folder_ + std::to_string(index) + ".ico";
    HICON icon = static_cast<HICON>(LoadImageA(nullptr, path.c_str(), IMAGE_ICON, int(width), int(height),
                                               LR_LOADFROMFILE));
    IconBits picture = ReadIconBits(icon);
    if (icon)
        DestroyIcon(icon);
    return picture;
}

int TrayPictures::IndexOf(const IconBits& picture) const
{
    if (picture.Empty())
        return -1;
    for (int index = 0; index < kTrayIconFiles; ++index) {
        const IconBits file = FileBits(index, picture.width, picture.height);
        if (file.bitsPerPixel == picture.bitsPerPixel && file.bits == picture.bits)
            return index;
    }
    return -1;
}

int WaitForPicture(const FakeNotificationArea& area, HWND owner, UINT id, const TrayPictures& pictures, int index,
                   DWORD timeoutMs)
{
    int shown = -1;
    area.WaitFor(owner, id, [&](const ShownIcon& icon) {
        shown = icon.shown ? pictures.IndexOf(icon.icon) : -1;
        return shown == index;
    }, timeoutMs);
    return shown;
}

} // namespace traytest
