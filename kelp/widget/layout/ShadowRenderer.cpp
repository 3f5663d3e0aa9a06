#include "kelp/widget/layout/ShadowRenderer.h"

#include "kelp/Graphics/CanvasRoutines.h"
#include "kelp/widget/layout/BitmapEffects.h"

#include <cstdint>
#include <cstdlib>

namespace kelp {

namespace {

int CanvasText(TCanvas& canvas, const std::string& text, RECT& rect, UINT format)
{
    return canvas.DrawText(text, rect, format);
}

int CanvasText(TCanvas& canvas, const std::wstring& text, RECT& rect, UINT format)
{
    return canvas.DrawTextW(text, rect, format);
}

template <typename Text>
int Transparent(TCanvas& canvas, const Text& text, RECT& rect, UINT format)
{
    TBrushStyle previous = canvas.Brush().Style();
    canvas.Brush().SetStyle(TBrushStyle::Clear);
    int height = CanvasText(canvas, text, rect, format);
    canvas.Brush().SetStyle(previous);
    return height;
}

} // namespace

int DrawTransparentText(TCanvas& canvas, const std::string& text, RECT& rect, UINT format)
{
    return Transparent(canvas, text, rect, format);
}

int DrawTransparentText(TCanvas& canvas, const std::wstring& text, RECT& rect, UINT format)
{
    return Transparent(canvas, text, rect, format);
}

RECT ShadowRenderer::Inner(const RECT& r) const
{
    return RECT{r.left + radius, r.top + radius, r.right - radius, r.bottom - radius};
}

void ShadowRenderer::MakeShadow(TBitmap& bitmap)
{
    // The shadow needs an alpha byte in every pixel, whatever format the
    // caller handed in.
    bitmap.SetPixelFormat(TPixelFormat::pf32bit);
    const int w = bitmap.Width(), h = bitmap.Height(), r = radius;
    IntMatrix blurred(h, w);
    // A kernel wider than the bitmap fits nowhere: every pixel is then within
    // r of an edge and stays transparent, so no kernel is built.
    const int64_t side = 2 * int64_t(r) + 1;
    if (r <= 0 || (side <= w && side <= h)) {
        BlurKernel kernel = GetKernel(r, sigma);
        Convolve(ToLuminance(bitmap), *kernel.matrix, blurred, r, r, kernel.divisor);
    }

    const COLORREF rgb = ColorToRGB(shadowColor);
    for (int y = 0; y < h; ++y) {
        uint8_t* p = bitmap.ScanLine(y);
        for (int x = 0; x < w; ++x, p += 4) {
            p[0] = GetBValue(rgb);
            p[1] = GetGValue(rgb);
            p[2] = GetRValue(rgb);
            bool border = x < r || y < r || int64_t(x) >= int64_t(w) - r || int64_t(y) >= int64_t(h) - r;
            p[3] = border ? 0 : static_cast<uint8_t>(blurred.At(y, x) * opacity / 255);
        }
    }
    bitmap.Changed();
}

template <typename Text>
void ShadowRenderer::Draw(TCanvas& canvas, const Text& text, const RECT& rect, UINT format)
{
    RECT inner = Inner(rect);
    if (!enabled) {
        DrawTransparentText(canvas, text, inner, format);
        return;
    }
    const int w = rect.right - rect.left, h = rect.bottom - rect.top;
    if (w <= 0 || h <= 0)
        return;

    TBitmap mask;
    mask.SetPixelFormat(TPixelFormat::pf32bit);
    mask.SetSize(w, h);
    TCanvas& maskCanvas = mask.Canvas();
    maskCanvas.Brush().SetColor(clBlack);
    maskCanvas.FillRect(RECT{0, 0, w, h});
    maskCanvas.Font().Assign(canvas.Font());
    maskCanvas.Font().SetColor(clWhite);
    RECT local{inner.left - rect.left, inner.top - rect.top, inner.right - rect.left, inner.bottom - rect.top};
    DrawTransparentText(maskCanvas, text, local, format);
    MakeShadow(mask);

    TBitmap background;
    background.SetSize(w, h);
    background.Canvas().CopyRect(RECT{0, 0, w, h}, canvas, rect);
    AlphaBlend(mask, RECT{0, 0, w, h}, background, POINT{offsetX, offsetY}, 255);
    CopyBitmapRect(canvas, rect.left, rect.top, background, RECT{0, 0, w, h});

    DrawTransparentText(canvas, text, inner, format);
}

template <typename Text>
void ShadowRenderer::Calc(TCanvas& canvas, const Text& text, RECT& rect, UINT format)
{
    RECT inner = Inner(rect);
    CanvasText(canvas, text, inner, format | DT_CALCRECT);
    if (!enabled)
        return;
    rect.right = inner.right + 3 + std::abs(offsetX);
    rect.bottom = inner.bottom + 3 + std::abs(offsetY);
}

void ShadowRenderer::DrawText(TCanvas& canvas, const std::string& text, const RECT& rect, UINT format)
{
    Draw(canvas, text, rect, format);
}

void ShadowRenderer::DrawTextW(TCanvas& canvas, const std::wstring& text, const RECT& rect, UINT format)
{
    Draw(canvas, text, rect, format);
}

void ShadowRenderer::CalcRect(TCanvas& canvas, const std::string& text, RECT& rect, UINT format)
{
    Calc(canvas, text, rect, format);
}

void ShadowRenderer::CalcRectW(TCanvas& canvas, const std::wstring& text, RECT& rect, UINT format)
{
    Calc(canvas, text, rect, format);
}

} // namespace kelp
