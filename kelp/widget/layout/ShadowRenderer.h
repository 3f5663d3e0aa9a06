#pragma once
// Draws text with a soft drop shadow: the text is rendered white on black
// into a scratch bitmap, blurred into an alpha mask of the shadow colour and
// blended under the text.

#include "framework/graphics/Bitmap.h"

#include <cstdint>
#include <string>

namespace kelp {

class ShadowRenderer {
public:
    ShadowRenderer() = default;
    virtual ~ShadowRenderer() = default;

    // The text goes into the rectangle shrunk by the radius, which keeps room
    // for the blur.
    virtual void DrawText(TCanvas& canvas, const std::string& text, const RECT& rect, UINT format);
    virtual void DrawTextW(TCanvas& canvas, const std::wstring& text, const RECT& rect, UINT format);
    // The rectangle the shadowed text needs; unchanged while the shadow is off.
    virtual void CalcRect(TCanvas& canvas, const std::string& text, RECT& rect, UINT format);
    virtual void CalcRectW(TCanvas& canvas, const std::wstring& text, RECT& rect, UINT format);
    // Turns a bitmap holding white text on black into the shadow: switched
    // to 32 bits, the shadow colour everywhere, alpha from the blurred text.
    virtual void MakeShadow(TBitmap& bitmap);

    int offsetX = 1;
    int offsetY = 1;
    uint8_t opacity = 120;
    TColor shadowColor = clBlack;
    int radius = 2;
    float sigma = 1.0f;
    bool enabled = true;

private:
    template <typename Text>
    void Draw(TCanvas& canvas, const Text& text, const RECT& rect, UINT format);
    template <typename Text>
    void Calc(TCanvas& canvas, const Text& text, RECT& rect, UINT format);
    RECT Inner(const RECT& rect) const;
};

// Draws with a transparent background, whatever the canvas's brush.
int DrawTransparentText(TCanvas& canvas, const std::string& text, RECT& rect, UINT format);
int DrawTransparentText(TCanvas& canvas, const std::wstring& text, RECT& rect, UINT format);

} // namespace kelp
