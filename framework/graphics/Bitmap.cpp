#include "framework/graphics/Bitmap.h"

#include "framework/graphics/DibHeader.h"
#include "framework/graphics/GraphicsError.h"
#include "framework/graphics/Stream.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

constexpr std::array<RGBQUAD, 16> kVgaPalette = {{
    {0, 0, 0, 0},       {0, 0, 128, 0},   {0, 128, 0, 0},   {0, 128, 128, 0},
    {128, 0, 0, 0},     {128, 0, 128, 0}, {128, 128, 0, 0}, {192, 192, 192, 0},
    {128, 128, 128, 0}, {0, 0, 255, 0},   {0, 255, 0, 0},   {0, 255, 255, 0},
    {255, 0, 0, 0},     {255, 0, 255, 0}, {255, 255, 0, 0}, {255, 255, 255, 0},
}};

struct TDibInfo {
    BITMAPINFOHEADER header;
    RGBQUAD colors[16];
};

uint32_t Pack(uint8_t b, uint8_t g, uint8_t r, uint8_t a)
{
    return b | (g << 8) | (r << 16) | (static_cast<uint32_t>(a) << 24);
}

} // namespace

// The bitmap's memory DC with the DIB selected; recreated whenever the DIB is.
class TBitmap::TBitmapCanvas : public TCanvas {
public:
    explicit TBitmapCanvas(TBitmap& owner) : m_owner(owner)
    {
        OnChange = [this](TObject*) { m_owner.Changed(); };
    }
    ~TBitmapCanvas() override { Free(); }

    void Free()
    {
        if (!m_dc)
            return;
        ReleaseHandle();
        SelectObject(m_dc.Get(), m_previous);
        m_dc.Reset();
    }

protected:
    void CreateHandle() override
    {
        m_dc.Reset(CreateCompatibleDC(nullptr));
        if (!m_dc)
            throw EInvalidGraphic("Out of system resources");
        m_previous = m_owner.Handle() ? SelectObject(m_dc.Get(), m_owner.Handle()) : nullptr;
        if (!m_previous)
            m_previous = GetCurrentObject(m_dc.Get(), OBJ_BITMAP);
        SetHandle(m_dc.Get());
    }

private:
    TBitmap& m_owner;
    TMemoryDC m_dc;
    HGDIOBJ m_previous = nullptr;
};

TBitmap::TBitmap() : m_palette(kVgaPalette) {}

TBitmap::~TBitmap()
{
    m_canvas.reset();   // deselect the DIB before it is deleted
}

int TBitmap::Stride(int width, TPixelFormat format)
{
    return ((width * static_cast<int>(format) + 31) / 32) * 4;
}

int TBitmap::BytesPerLine() const
{
    return Stride(m_width, m_format);
}

TBitmap::TDib TBitmap::CreateDib(int width, int height, TPixelFormat format, const TPalette& palette)
{
    TDib dib;
    if (width <= 0 || height <= 0)
        return dib;
    if (width > kMaxBitmapSide || height > kMaxBitmapSide)
        throw EInvalidGraphic("Bitmap too large");
    TDibInfo info{};
    info.header.biSize = sizeof(BITMAPINFOHEADER);
    info.header.biWidth = width;
    info.header.biHeight = -height;  // top-down: ScanLine(0) is the top row
    info.header.biPlanes = 1;
    info.header.biBitCount = static_cast<WORD>(format);
    info.header.biCompression = BI_RGB;
    if (format == TPixelFormat::pf4bit) {
        info.header.biClrUsed = 16;
        std::copy(palette.begin(), palette.end(), info.colors);
    }
    void* bits = nullptr;
    dib.handle.Reset(CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS,
                                      &bits, nullptr, 0));
    if (!dib.handle)
        throw EInvalidGraphic("Out of system resources");
    dib.bits = static_cast<uint8_t*>(bits);
    return dib;
}

void TBitmap::Replace(TDib dib, int width, int height, TPixelFormat format)
{
    if (m_canvas)
        m_canvas->Free();
    m_source.reset();
    m_dib = std::move(dib);
    m_width = m_dib.handle ? width : 0;
    m_height = m_dib.handle ? height : 0;
    m_format = format;
}

uint32_t TBitmap::ReadPixel(const uint8_t* row, int x, TPixelFormat format) const
{
    switch (format) {
    case TPixelFormat::pf4bit: {
        uint8_t index = (x & 1) ? (row[x / 2] & 0x0F) : (row[x / 2] >> 4);
        const RGBQUAD& c = m_palette[index];
        return Pack(c.rgbBlue, c.rgbGreen, c.rgbRed, 255);
    }
    case TPixelFormat::pf24bit:
        return Pack(row[x * 3], row[x * 3 + 1], row[x * 3 + 2], 255);
    case TPixelFormat::pf32bit:
        break;
    }
    uint32_t value;
    std::memcpy(&value, row + x * 4, 4);
    return value;
}

void TBitmap::WritePixel(uint8_t* row, int x, uint32_t bgra) const
{
    uint8_t b = bgra & 0xFF, g = (bgra >> 8) & 0xFF, r = (bgra >> 16) & 0xFF;
    switch (m_format) {
    case TPixelFormat::pf4bit: {
        int best = 0, bestDistance = 1 << 30;
        for (int i = 0; i < 16; ++i) {
            int db = m_palette[i].rgbBlue - b, dg = m_palette[i].rgbGreen - g, dr = m_palette[i].rgbRed - r;
            int distance = db * db + dg * dg + dr * dr;
            if (distance < bestDistance) {
                best = i;
                bestDistance = distance;
            }
        }
        uint8_t& cell = row[x / 2];
        cell = (x & 1) ? ((cell & 0xF0) | best) : ((cell & 0x0F) | (best << 4));
        break;
    }
    case TPixelFormat::pf24bit:
        row[x * 3] = b;
        row[x * 3 + 1] = g;
        row[x * 3 + 2] = r;
        break;
    case TPixelFormat::pf32bit:
        std::memcpy(row + x * 4, &bgra, 4);
        break;
    }
}

void TBitmap::SetSize(int width, int height)
{
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == m_width && height == m_height)
        return;
    ReadDeferred();
    GdiFlush();
    TDib dib = CreateDib(width, height, m_format, m_palette);
    int rows = std::min(height, m_height), columns = std::min(width, m_width);
    if (dib.bits && m_dib.bits) {
        int oldStride = BytesPerLine(), newStride = Stride(width, m_format);
        int wholeBytes = columns * static_cast<int>(m_format) / 8;
        for (int y = 0; y < rows; ++y) {
            uint8_t* target = dib.bits + y * newStride;
            const uint8_t* source = m_dib.bits + y * oldStride;
            std::memcpy(target, source, wholeBytes);
            if (m_format == TPixelFormat::pf4bit && (columns & 1))
                target[wholeBytes] = (target[wholeBytes] & 0x0F) | (source[wholeBytes] & 0xF0);
        }
    }
    Replace(std::move(dib), width, height, m_format);
    Changed();
}

void TBitmap::SetPixelFormat(TPixelFormat format)
{
    if (format == m_format)
        return;
    ReadDeferred();
    GdiFlush();
    TDib dib = CreateDib(m_width, m_height, format, m_palette);
    TPixelFormat old = m_format;
    int oldStride = BytesPerLine(), newStride = Stride(m_width, format);
    m_format = format;  // WritePixel writes in the new format
    if (dib.bits && m_dib.bits)
        for (int y = 0; y < m_height; ++y)
            for (int x = 0; x < m_width; ++x)
                WritePixel(dib.bits + y * newStride, x, ReadPixel(m_dib.bits + y * oldStride, x, old));
    Replace(std::move(dib), m_width, m_height, format);
    Changed();
}

uint8_t* TBitmap::ScanLine(int y)
{
    ReadDeferred();
    if (y < 0 || y >= m_height || !m_dib.bits)
        throw EInvalidGraphic("Scan line index out of range");
    GdiFlush();
    return m_dib.bits + y * BytesPerLine();
}

TColor TBitmap::PixelColor(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        return clNone;
    ReadDeferred();
    if (!m_dib.bits)
        return clNone;
    GdiFlush();
    uint32_t bgra = ReadPixel(m_dib.bits + y * BytesPerLine(), x, m_format);
    return ((bgra >> 16) & 0xFF) | (bgra & 0xFF00) | ((bgra & 0xFF) << 16);
}

void TBitmap::SetTransparent(bool transparent)
{
    if (transparent != m_transparent) {
        m_transparent = transparent;
        Changed();
    }
}

void TBitmap::SetTransparentMode(TTransparentMode mode)
{
    if (mode != m_transparentMode) {
        m_transparentMode = mode;
        if (mode == TTransparentMode::Auto)
            m_transparentColor = clNone;
        Changed();
    }
}

TColor TBitmap::TransparentColor() const
{
    if (m_transparentMode == TTransparentMode::Fixed)
        return m_transparentColor;
    return Empty() ? clNone : PixelColor(0, m_height - 1);
}

void TBitmap::SetTransparentColor(TColor color)
{
    m_transparentColor = color;
    m_transparentMode = TTransparentMode::Fixed;
    Changed();
}

TCanvas& TBitmap::Canvas()
{
    ReadDeferred();
    if (!m_canvas)
        m_canvas = std::make_unique<TBitmapCanvas>(*this);
    return *m_canvas;
}

void TBitmap::Assign(const TBitmap& source)
{
    if (&source == this)
        return;
    if (source.m_source) {
        Replace(TDib{}, 0, 0, source.m_format);
        m_width = source.m_width;
        m_height = source.m_height;
        m_source = source.m_source;
    } else {
        GdiFlush();
        TDib dib = CreateDib(source.m_width, source.m_height, source.m_format, source.m_palette);
        if (dib.bits && source.m_dib.bits)
            std::memcpy(dib.bits, source.m_dib.bits, Stride(source.m_width, source.m_format) * source.m_height);
        Replace(std::move(dib), source.m_width, source.m_height, source.m_format);
    }
    m_palette = source.m_palette;
    m_transparent = source.m_transparent;
    m_alphaDefined = source.m_alphaDefined;
    m_transparentMode = source.m_transparentMode;
    m_transparentColor = source.m_transparentColor;
    Changed();
}

void TBitmap::Defer(const TPictureHeader& header, std::shared_ptr<const TPixelSource> source)
{
    Replace(TDib{}, 0, 0, header.format);
    if (header.width > 0 && header.height > 0 && source) {
        m_width = header.width;
        m_height = header.height;
        m_source = std::move(source);
    }
    m_alphaDefined = header.alphaDefined;
    Changed();
}

void TBitmap::ApplyToPixels(std::function<void(TBitmap&)> step)
{
    if (!m_source) {
        step(*this);
        return;
    }
    m_source = std::make_shared<const TPixelSource>(
        [read = std::move(m_source), step = std::move(step)](TBitmap& target) {
            (*read)(target);
            step(target);
        });
}

void TBitmap::ReadDeferred() const
{
    if (m_source)
        const_cast<TBitmap*>(this)->ReadSource();
}

void TBitmap::ReadSource()
{
    // Taken before the read: a read that fails leaves an empty bitmap
    // instead of failing again at every paint.
    const std::shared_ptr<const TPixelSource> source = std::move(m_source);
    Replace(TDib{}, 0, 0, m_format);
    // Readers may copy a decoded picture with transparency settings of its
    // own; this bitmap's settings stay, and its listeners hear nothing.
    struct Keep {
        TBitmap& bitmap;
        bool transparent = bitmap.m_transparent;
        TTransparentMode mode = bitmap.m_transparentMode;
        TColor color = bitmap.m_transparentColor;
        TNotifyEvent listeners = std::move(bitmap.OnChange);
        ~Keep()
        {
            bitmap.m_transparent = transparent;
            bitmap.m_transparentMode = mode;
            bitmap.m_transparentColor = color;
            bitmap.OnChange = std::move(listeners);
        }
    } keep{*this};
    OnChange = nullptr;
    (*source)(*this);
}

void TBitmap::Changed()
{
    if (OnChange)
        OnChange(this);
}

void TBitmap::LoadFromFile(const std::string& fileName)
{
    constexpr size_t kMaxFileBytes = 256u << 20;
    TFileStream stream(fileName);
    std::vector<uint8_t> data;
    // One buffer of the file's size: growing it chunk by chunk left the
    // heap holding twice the largest skin bitmap for the rest of the run.
    data.reserve(std::min(stream.Size(), kMaxFileBytes));
    uint8_t chunk[65536];
    while (size_t read = stream.Read(chunk, sizeof(chunk))) {
        if (data.size() + read > kMaxFileBytes)
            throw EInvalidGraphic("Bitmap file too large: " + fileName);
        data.insert(data.end(), chunk, chunk + read);
    }
    LoadFromMemory(data.data(), data.size());
}

void TBitmap::LoadFromMemory(const void* data, size_t size)
{
    const uint8_t* bytes = static_cast<const uint8_t*>(data);
    size_t infoSize = 0, bitsOffset = 0;
    if (!LocateBmpParts(bytes, size, infoSize, bitsOffset))
        throw EInvalidGraphic("Invalid bitmap");
    LoadDib(reinterpret_cast<const BITMAPINFO*>(bytes + kBmpFileHeaderBytes), infoSize, bytes + bitsOffset,
            size - bitsOffset);
}

void TBitmap::LoadFromResourceName(HINSTANCE instance, const char* name)
{
    HRSRC resource = FindResourceA(instance, name, MAKEINTRESOURCEA(2) /* RT_BITMAP */);
    HGLOBAL loaded = resource ? LoadResource(instance, resource) : nullptr;
    const uint8_t* bytes = loaded ? static_cast<const uint8_t*>(LockResource(loaded)) : nullptr;
    if (!bytes)
        throw EInvalidGraphic(std::string("Bitmap resource not found: ") + name);
    size_t size = SizeofResource(instance, resource);
    size_t infoSize = DibResourceInfoSize(bytes, size);
    if (infoSize == 0)
        throw EInvalidGraphic("Invalid bitmap");
    LoadDib(reinterpret_cast<const BITMAPINFO*>(bytes), infoSize, bytes + infoSize, size - infoSize);
}

void TBitmap::LoadDib(const BITMAPINFO* header, size_t infoSize, const uint8_t* bits, size_t bitsSize)
{
    const uint8_t* info = reinterpret_cast<const uint8_t*>(header);
    DibLayout layout;
    if (!ParseDibHeader(info, infoSize, bitsSize, layout))
        throw EInvalidGraphic("Invalid bitmap");
    const int width = layout.width, height = layout.height, bpp = layout.bitCount;

    const TPixelFormat format = HeldPixelFormat(bpp);
    TPalette palette = kVgaPalette;
    if (format == TPixelFormat::pf4bit) {
        const uint8_t* table = info + layout.headerBytes;
        for (size_t i = 0; i < layout.colours && i < 16; ++i)
            std::memcpy(&palette[i], table + i * sizeof(RGBQUAD), sizeof(RGBQUAD));
    }
    TDib dib = CreateDib(width, height, format, palette);
    bool sameLayout = layout.compression == kDibRgb && bpp == static_cast<int>(format);
    if (sameLayout) {
        // Copy rows directly so that 32-bit alpha survives.
        size_t stride = Stride(width, format);
        for (int y = 0; y < height; ++y) {
            int sourceRow = layout.topDown ? y : height - 1 - y;
            std::memcpy(dib.bits + y * stride, bits + sourceRow * layout.sourceStride, stride);
        }
    } else {
        // The header, its colour table and any bit-field masks were checked
        // to lie inside infoSize, so the system reads nothing beyond it.
        HDC screen = GetDC(nullptr);
        int rows = SetDIBits(screen, static_cast<HBITMAP>(dib.handle.Get()), 0, height, bits, header, DIB_RGB_COLORS);
        ReleaseDC(nullptr, screen);
        if (rows == 0)
            throw EInvalidGraphic("Invalid bitmap");
    }
    m_palette = palette;
    Replace(std::move(dib), width, height, format);
    Changed();
}
