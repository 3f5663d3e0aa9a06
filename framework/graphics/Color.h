#pragma once
// Colours are 0x00BBGGRR; a value with the top bit set names a system colour
// (the low byte is the GetSysColor index).

#include <cstdint>
#include <windows.h>

using TColor = uint32_t;

constexpr TColor clNone = 0xFFFFFFFFu;  // no colour set
constexpr TColor clBlack = 0x000000;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clBtnFace = 0x8000000F;
constexpr TColor clHighlightText = 0x8000000E;
constexpr TColor clGrayText = 0x80000011;

inline COLORREF ColorToRGB(TColor color)
{
    if (color == clNone)
        return 0;
    return (color & 0x80000000u) ? GetSysColor(color & 0xFF) : (color & 0xFFFFFF);
}
