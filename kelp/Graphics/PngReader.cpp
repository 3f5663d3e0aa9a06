#include "kelp/Graphics/PngReader.h"

#include "framework/graphics/GraphicsError.h"
#include "framework/layout/ClassRegistry.h"
#include "kelp/System/Assert.h"
#include "kelp/System/Language.h"

namespace kelp {

namespace {

uint32_t __stdcall ReadFromStream(void* stream, void* buffer, uint32_t count)
{
    return static_cast<uint32_t>(static_cast<TStream*>(stream)->Read(buffer, count));
}

template <typename Function>
Function Resolve(HMODULE module, const char* name)
{
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

} // namespace

PngReader& PngReader::Instance()
{
    static PngReader reader;
    return reader;
}

PngReader::PngReader() : m_hinst(LoadLibraryA((ExecutableFolder() + "pixary.dll").c_str()))
{
    KELP_ASSERT(m_hinst, "PngReader", 52);
    m_readPngEx = Resolve<ReadPngExFunction>(m_hinst, "ReadPngEx");
    m_writePngEx = Resolve<WritePngExFunction>(m_hinst, "WritePngEx");
    m_freePngData = Resolve<FreePngDataFunction>(m_hinst, "FreePngData");
    m_allocatePngData = Resolve<AllocatePngDataFunction>(m_hinst, "AllocatePngData");
}

PngReader::~PngReader()
{
    FreeLibrary(m_hinst);
}

void PngReader::LoadPng(const std::string& fileName, TBitmap& bitmap)
{
    bitmap.SetPixelFormat(TPixelFormat::pf32bit);
    TFileStream stream(fileName);
    Read(stream, bitmap);
}

bool PngReader::Read(TStream& stream, TBitmap& bitmap)
{
    // Entry points are looked up but not checked: a library without them is
    // not a pixary.dll, and the missing entry is reported by the call.
    KELP_ASSERT(m_readPngEx && m_freePngData, "PngReader", 76);
    PngImageData image{};
    if (!m_readPngEx(&image, &ReadFromStream, &stream))
        return false;

    const int targetStep = bitmap.PixelFormat() == TPixelFormat::pf32bit ? 4 : 3;
    if (targetStep == 3)
        bitmap.SetPixelFormat(TPixelFormat::pf24bit);
    const bool sourceAlpha = image.colorType == 6;
    const int sourceStep = sourceAlpha ? 4 : 3;
    bitmap.SetSize(static_cast<int>(image.width), static_cast<int>(image.height));
    for (uint32_t y = 0; y < image.height; ++y) {
        const uint8_t* source = image.rows[y];
        uint8_t* target = bitmap.ScanLine(static_cast<int>(y));
        for (uint32_t x = 0; x < image.width; ++x, source += sourceStep, target += targetStep) {
            target[0] = source[2];
            target[1] = source[1];
            target[2] = source[0];
            if (targetStep == 4) {
                target[3] = sourceAlpha ? source[3] : 255;
                // Fully transparent pixels are stored as zero so that blending
                // and colour keys never see their colour.
                if (sourceAlpha && source[3] == 0)
                    target[0] = target[1] = target[2] = 0;
            }
        }
    }
    m_freePngData(&image);
    bitmap.SetAlphaDefined(targetStep == 4);
    bitmap.Changed();
    return true;
}

void LoadPngPicture(const std::string& fileName, TBitmap& bitmap)
{
    TBitmap decoded;
    decoded.SetPixelFormat(TPixelFormat::pf32bit);
    try {
        TFileStream stream(fileName);
        if (!PngReader::Instance().Read(stream, decoded) || decoded.Empty())
            throw EPictureError(fileName, "\"" + fileName + "\" is not a readable PNG picture");
    } catch (const EFOpenError& error) {
        throw EPictureError(fileName, error.what());
    }
    bitmap.Assign(decoded);
}

void RegisterPngPictureLoader()
{
    TClassRegistry::Instance().SetPictureLoader(".png", &LoadPngPicture);
}

} // namespace kelp
