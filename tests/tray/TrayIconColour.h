#pragma once
// Reads back what an icon shows, to tell the mode pictures apart.

#include <windows.h>

#include <cstring>
#include <vector>

struct IconPicture {
    int width = 0;
    int height = 0;
    std::vector<RGBQUAD> pixels;  // top-down

    bool HasAlpha() const
    {
        for (const RGBQUAD& p : pixels)
            if (p.rgbReserved)
                return true;
        return false;
    }
    // Average colour of the opaque pixels (the non-black ones when the
    // bitmap came back without alpha; see-through pixels are black).
    RGBQUAD Average() const
    {
        const bool alpha = HasAlpha();
        unsigned long r = 0, g = 0, b = 0, n = 0;
        for (const RGBQUAD& p : pixels) {
            if (alpha ? p.rgbReserved < 128 : (p.rgbRed | p.rgbGreen | p.rgbBlue) == 0)
                continue;
            r += p.rgbRed;
            g += p.rgbGreen;
            b += p.rgbBlue;
            ++n;
        }
        if (n == 0)
            return {};
        return {BYTE(b / n), BYTE(g / n), BYTE(r / n), 255};
    }
    bool operator==(const IconPicture& other) const
    {
        if (width != other.width || height != other.height || pixels.size() != other.pixels.size())
            return false;
        for (size_t i = 0; i < pixels.size(); ++i)
            if (memcmp(&pixels[i], &other.pixels[i], sizeof(RGBQUAD)) != 0)
                return false;
        return true;
    }
};

inline IconPicture ReadIcon(HICON icon)
{
    IconPicture picture;
    ICONINFO info{};
    if (!icon || !GetIconInfo(icon, &info))
        return picture;
    BITMAP bitmap{};
    GetObjectA(info.hbmColor, sizeof(bitmap), &bitmap);
    picture.width = bitmap.bmWidth;
    picture.height = bitmap.bmHeight;
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof(format.bmiHeader);
    format.bmiHeader.biWidth = bitmap.bmWidth;
    format.bmiHeader.biHeight = -bitmap.bmHeight;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    picture.pixels.resize(size_t(bitmap.bmWidth) * size_t(bitmap.bmHeight));
    HDC screen = GetDC(nullptr);
    GetDIBits(screen, info.hbmColor, 0, bitmap.bmHeight, picture.pixels.data(), &format, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return picture;
}
