// PNG codec on the Windows Imaging Component. Every call initialises COM for
// its own duration, so the library keeps no state and may be used from any
// thread.

#include "board/pixary/Pixary.h"

#include <cstring>
#include <vector>
#include <windows.h>
#include <wincodec.h>

namespace {

constexpr uint32_t kMaxSide = 32768;
constexpr size_t kMaxFileBytes = 256u << 20;

template <typename T>
class TComPtr {
public:
    TComPtr() = default;
    ~TComPtr()
    {
        if (m_p)
            m_p->Release();
    }
    TComPtr(const TComPtr&) = delete;
    TComPtr& operator=(const TComPtr&) = delete;
    T* operator->() const { return m_p; }
    T* Get() const { return m_p; }
    T** Out() { return &m_p; }
    void** OutVoid() { return reinterpret_cast<void**>(&m_p); }

private:
    T* m_p = nullptr;
};

class TComScope {
public:
    TComScope() : m_result(CoInitializeEx(nullptr, COINIT_MULTITHREADED)) {}
    ~TComScope()
    {
        if (SUCCEEDED(m_result))
            CoUninitialize();
    }
    // A thread already in another apartment still has COM available.
    bool Usable() const { return SUCCEEDED(m_result) || m_result == RPC_E_CHANGED_MODE; }

private:
    HRESULT m_result;
};

bool CreateFactory(TComPtr<IWICImagingFactory>& factory)
{
    return SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                      IID_IWICImagingFactory, factory.OutVoid()));
}

bool ReadAll(PngReadCallback read, void* stream, std::vector<uint8_t>& data)
{
    uint8_t chunk[65536];
    for (;;) {
        uint32_t got = read(stream, chunk, sizeof(chunk));
        if (got == 0)
            return !data.empty();
        if (got > sizeof(chunk) || data.size() + got > kMaxFileBytes)
            return false;
        data.insert(data.end(), chunk, chunk + got);
    }
}

// Colour type from the IHDR chunk, which a valid PNG has right after the signature.
bool HeaderColorType(const std::vector<uint8_t>& data, uint32_t& colorType)
{
    static const uint8_t signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (data.size() < 33 || std::memcmp(data.data(), signature, 8) != 0 || std::memcmp(data.data() + 12, "IHDR", 4) != 0)
        return false;
    colorType = data[25];
    return true;
}

bool Decode(const std::vector<uint8_t>& data, uint32_t& width, uint32_t& height, std::vector<uint8_t>& bgra)
{
    TComPtr<IWICImagingFactory> factory;
    TComPtr<IWICStream> stream;
    TComPtr<IWICBitmapDecoder> decoder;
    TComPtr<IWICBitmapFrameDecode> frame;
    TComPtr<IWICFormatConverter> converter;
    GUID container{};
    if (!CreateFactory(factory) || FAILED(factory->CreateStream(stream.Out())) ||
        FAILED(stream->InitializeFromMemory(const_cast<BYTE*>(data.data()), static_cast<DWORD>(data.size()))) ||
        FAILED(factory->CreateDecoderFromStream(stream.Get(), nullptr, WICDecodeMetadataCacheOnDemand, decoder.Out())) ||
        FAILED(decoder->GetContainerFormat(&container)) || container != GUID_ContainerFormatPng ||
        FAILED(decoder->GetFrame(0, frame.Out())) || FAILED(frame->GetSize(&width, &height)))
        return false;
    if (width == 0 || height == 0 || width > kMaxSide || height > kMaxSide)
        return false;
    if (FAILED(factory->CreateFormatConverter(converter.Out())) ||
        FAILED(converter->Initialize(frame.Get(), GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone, nullptr, 0,
                                     WICBitmapPaletteTypeCustom)))
        return false;
    bgra.resize(static_cast<size_t>(width) * height * 4);
    return SUCCEEDED(converter->CopyPixels(nullptr, width * 4, static_cast<UINT>(bgra.size()), bgra.data()));
}

bool Encode(const PngImageData& image, std::vector<uint8_t>& png)
{
    const bool alpha = image.colorType == 6;
    const uint32_t step = alpha ? 4 : 3;
    const uint32_t stride = ((image.width * step) + 3) & ~3u;
    std::vector<uint8_t> pixels(static_cast<size_t>(stride) * image.height);
    for (uint32_t y = 0; y < image.height; ++y) {
        const uint8_t* source = image.rows[y];
        uint8_t* target = pixels.data() + static_cast<size_t>(y) * stride;
        for (uint32_t x = 0; x < image.width; ++x, source += step, target += step) {
            target[0] = source[2];
            target[1] = source[1];
            target[2] = source[0];
            if (alpha)
                target[3] = source[3];
        }
    }

    TComPtr<IWICImagingFactory> factory;
    TComPtr<IStream> stream;
    TComPtr<IWICBitmapEncoder> encoder;
    TComPtr<IWICBitmapFrameEncode> frame;
    TComPtr<IPropertyBag2> properties;
    WICPixelFormatGUID wanted = alpha ? GUID_WICPixelFormat32bppBGRA : GUID_WICPixelFormat24bppBGR;
    WICPixelFormatGUID format = wanted;
    if (!CreateFactory(factory) || FAILED(CreateStreamOnHGlobal(nullptr, TRUE, stream.Out())) ||
        FAILED(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, encoder.Out())) ||
        FAILED(encoder->Initialize(stream.Get(), WICBitmapEncoderNoCache)) ||
        FAILED(encoder->CreateNewFrame(frame.Out(), properties.Out())) || FAILED(frame->Initialize(properties.Get())) ||
        FAILED(frame->SetSize(image.width, image.height)) || FAILED(frame->SetPixelFormat(&format)) ||
        format != wanted ||
        FAILED(frame->WritePixels(image.height, stride, static_cast<UINT>(pixels.size()), pixels.data())) ||
        FAILED(frame->Commit()) || FAILED(encoder->Commit()))
        return false;
    STATSTG stat{};
    HGLOBAL memory = nullptr;
    if (FAILED(stream->Stat(&stat, STATFLAG_NONAME)) || FAILED(GetHGlobalFromStream(stream.Get(), &memory)))
        return false;
    const uint8_t* bytes = static_cast<const uint8_t*>(GlobalLock(memory));
    if (!bytes)
        return false;
    png.assign(bytes, bytes + stat.cbSize.LowPart);
    GlobalUnlock(memory);
    return true;
}

} // namespace

int __stdcall AllocatePngData(PngImageData* image, uint32_t width, uint32_t height, uint32_t colorType)
{
    if (!image)
        return 0;
    std::memset(image, 0, sizeof(*image));
    if (width == 0 || height == 0 || width > kMaxSide || height > kMaxSide)
        return 0;
    const uint32_t rowBytes = width * (colorType == 6 ? 4 : 3);
    const size_t pointers = height * sizeof(uint8_t*);
    auto* block = static_cast<uint8_t*>(
        HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, pointers + static_cast<size_t>(rowBytes) * height));
    if (!block)
        return 0;
    auto** rows = reinterpret_cast<uint8_t**>(block);
    for (uint32_t y = 0; y < height; ++y)
        rows[y] = block + pointers + static_cast<size_t>(y) * rowBytes;
    *image = PngImageData{width, height, 8, colorType, rowBytes, rows};
    return 1;
}

void __stdcall FreePngData(PngImageData* image)
{
    if (!image)
        return;
    if (image->rows)
        HeapFree(GetProcessHeap(), 0, image->rows);
    std::memset(image, 0, sizeof(*image));
}

int __stdcall ReadPngEx(PngImageData* image, PngReadCallback read, void* stream)
{
    if (!image || !read)
        return 0;
    std::memset(image, 0, sizeof(*image));
    TComScope com;
    std::vector<uint8_t> data, bgra;
    uint32_t colorType = 0, width = 0, height = 0;
    if (!com.Usable() || !ReadAll(read, stream, data) || !HeaderColorType(data, colorType) ||
        !Decode(data, width, height, bgra))
        return 0;
    // Grey with alpha keeps its alpha as RGBA; palette and grey images come as RGB.
    const bool alpha = colorType == 6 || colorType == 4;
    if (!AllocatePngData(image, width, height, alpha ? 6 : colorType))
        return 0;
    const uint8_t* source = bgra.data();
    for (uint32_t y = 0; y < height; ++y) {
        uint8_t* target = image->rows[y];
        for (uint32_t x = 0; x < width; ++x, source += 4) {
            *target++ = source[2];
            *target++ = source[1];
            *target++ = source[0];
            if (alpha)
                *target++ = source[3];
        }
    }
    return 1;
}

int __stdcall WritePngEx(const PngImageData* image, PngWriteCallback write, void* stream)
{
    if (!image || !write || !image->rows || image->width == 0 || image->height == 0)
        return 0;
    TComScope com;
    std::vector<uint8_t> png;
    if (!com.Usable() || !Encode(*image, png))
        return 0;
    size_t written = 0;
    while (written < png.size()) {
        uint32_t count = static_cast<uint32_t>(png.size() - written);
        uint32_t done = write(stream, png.data() + written, count);
        if (done == 0 || done > count)
            return 0;
        written += done;
    }
    return 1;
}
