#pragma once
// Device-independent bitmap (a top-down DIB section) with 4, 24 or 32 bits
// per pixel, scan-line access, a canvas, a transparent colour and a change
// event. Changing the size keeps the overlapping pixels; changing the pixel
// format converts them. A picture file's pixels may be read later than its
// header (Defer), when something first needs them.

#include "framework/graphics/Canvas.h"
#include "framework/TObject.h"
#include "framework/graphics/Color.h"
#include "framework/graphics/GdiHandle.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

enum class TPixelFormat { pf4bit = 4, pf24bit = 24, pf32bit = 32 };

// The format a picture stored with that many bits per pixel is held in.
constexpr TPixelFormat HeldPixelFormat(int bitCount)
{
    return bitCount <= 4 ? TPixelFormat::pf4bit : bitCount == 32 ? TPixelFormat::pf32bit : TPixelFormat::pf24bit;
}

enum class TTransparentMode {
    Auto,   // the colour of the lower-left pixel
    Fixed,  // the colour set through SetTransparentColor
};

class TBitmap;

// What a picture file's header tells before its pixels are read.
struct TPictureHeader {
    int width = 0;
    int height = 0;
    TPixelFormat format = TPixelFormat::pf24bit;
    bool alphaDefined = false;
};

// Reads a picture's pixels into the bitmap it is given.
using TPixelSource = std::function<void(TBitmap& bitmap)>;

class TBitmap : public TObject {
public:
    TBitmap();
    ~TBitmap();

    // Copies size, format, palette, pixels and transparency; fires OnChange
    // once. A deferred source's copy is deferred too: it shares the source
    // and reads the pixels itself when it needs them.
    void Assign(const TBitmap& source);

    // Takes the header's size and format now and reads the pixels through
    // the source when they are first needed: scan lines, pixel colours, the
    // automatic transparent colour, the handle, the canvas, or a change of
    // size or format. The read fires no OnChange (listeners saw the change
    // here). A read that fails raises its error once and leaves the bitmap
    // empty.
    void Defer(const TPictureHeader& header, std::shared_ptr<const TPixelSource> source);
    bool Deferred() const { return m_source != nullptr; }
    // Runs the step on the pixels: at once when they are held, or right
    // after the read of a deferred picture, which stays unread until then
    // (copies made from now on run the step too).
    void ApplyToPixels(std::function<void(TBitmap&)> step);

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    bool Empty() const { return m_width == 0 || m_height == 0; }
    void SetWidth(int width) { SetSize(width, m_height); }
    void SetHeight(int height) { SetSize(m_width, height); }
    void SetSize(int width, int height);
    TPixelFormat PixelFormat() const { return m_format; }
    void SetPixelFormat(TPixelFormat format);

    // Row y, top row first; BytesPerLine() bytes, DWORD aligned.
    uint8_t* ScanLine(int y);
    int BytesPerLine() const;

    // The pixel as 0x00BBGGRR (palette entry for 4 bits per pixel).
    TColor PixelColor(int x, int y) const;

    bool Transparent() const { return m_transparent; }
    void SetTransparent(bool transparent);
    TTransparentMode TransparentMode() const { return m_transparentMode; }
    void SetTransparentMode(TTransparentMode mode);
    // Automatic mode: the lower-left pixel (clNone while empty).
    TColor TransparentColor() const;
    // Stores the colour and switches to the fixed mode.
    void SetTransparentColor(TColor color);

    // The fourth byte of a 32-bit bitmap is a real per-pixel alpha (set by
    // readers of such pictures); plain images then draw it blended.
    bool AlphaDefined() const { return m_alphaDefined && m_format == TPixelFormat::pf32bit; }
    void SetAlphaDefined(bool defined) { m_alphaDefined = defined; }

    // The DIB section; null while the bitmap is empty.
    HBITMAP Handle() const
    {
        ReadDeferred();
        return static_cast<HBITMAP>(m_dib.handle.Get());
    }
    TCanvas& Canvas();

    // Windows bitmap files (any bit depth). Raises EFOpenError when the
    // file cannot be opened and EInvalidGraphic when it is not a valid
    // bitmap; the bitmap is unchanged then.
    void LoadFromFile(const std::string& fileName);
    void LoadFromResourceName(HINSTANCE instance, const char* name);
    // A whole .bmp file held in memory.
    void LoadFromMemory(const void* data, size_t size);

    // Tells listeners that the pixels changed (after scan-line writes).
    void Changed();
    TNotifyEvent OnChange;

private:
    class TBitmapCanvas;

    struct TDib {
        TGdiObject handle;
        uint8_t* bits = nullptr;
    };
    using TPalette = std::array<RGBQUAD, 16>;
    static TDib CreateDib(int width, int height, TPixelFormat format, const TPalette& palette);
    void Replace(TDib dib, int width, int height, TPixelFormat format);
    // Reads the pixels of a deferred picture; logically const, as the
    // pixels are what the bitmap already stands for.
    void ReadDeferred() const;
    void ReadSource();
    void LoadDib(const BITMAPINFO* info, size_t infoSize, const uint8_t* bits, size_t bitsSize);
    void WritePixel(uint8_t* row, int x, uint32_t bgra) const;
    uint32_t ReadPixel(const uint8_t* row, int x, TPixelFormat format) const;
    static int Stride(int width, TPixelFormat format);

    TDib m_dib;
    int m_width = 0;
    int m_height = 0;
    TPixelFormat m_format = TPixelFormat::pf24bit;
    TPalette m_palette;
    bool m_transparent = false;
    bool m_alphaDefined = false;
    TTransparentMode m_transparentMode = TTransparentMode::Auto;
    TColor m_transparentColor = clNone;
    std::unique_ptr<TBitmapCanvas> m_canvas;
    std::shared_ptr<const TPixelSource> m_source;
};
