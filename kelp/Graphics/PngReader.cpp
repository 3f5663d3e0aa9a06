#include "kelp/Graphics/PngReader.h"

#include "kelp/Graphics/PngHeader.h"

#include "framework/graphics/DeferredPicture.h"
#include "framework/graphics/DibHeader.h"
#include "framework/graphics/GraphicsError.h"
#include "framework/layout/ClassRegistry.h"
#include "framework/system/ExecutableFolder.h"
#include "kelp/System/Assert.h"

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

PngReader::PngReader(ReadPngExFunction readPngEx, FreePngDataFunction freePngData)
    : m_hinst(nullptr), m_readPngEx(readPngEx), m_writePngEx(nullptr), m_freePngData(freePngData),
      m_allocatePngData(nullptr)
{
}

PngReader::~PngReader()
{
    if (m_hinst)
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
    PngImage image(m_freePngData);
    if (!image.Read(m_readPngEx, &ReadFromStream, &stream))
        return false;
    const PngImageRecord& record = image.Record();
    if (!IsUsablePngRecord(record, kMaxBitmapSide))
        return false;

    const int targetStep = bitmap.PixelFormat() == TPixelFormat::pf32bit ? 4 : 3;
    if (targetStep == 3)
        bitmap.SetPixelFormat(TPixelFormat::pf24bit);
    bitmap.SetSize(static_cast<int>(record.width), static_cast<int>(record.height));
    // An image without pixels (no width or no rows) has no rows to copy.
    for (uint32_t y = 0; !bitmap.Empty() && y < record.height; ++y)
        ConvertPngRow(record, y, bitmap.ScanLine(static_cast<int>(y)), targetStep);
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

TPictureHeader ReadPngFileHeader(const std::string& fileName)
{
    TFileStream stream(fileName);
    uint8_t bytes[kPngHeaderBytes];
    size_t read = 0;
    while (read < sizeof(bytes)) {
        const size_t n = stream.Read(bytes + read, sizeof(bytes) - read);
        if (n == 0)
            break;
        read += n;
    }
    uint32_t width = 0, height = 0;
    if (!ParsePngHeader(bytes, read, width, height) || width > uint32_t(kMaxBitmapSide) ||
        height > uint32_t(kMaxBitmapSide))
        throw EInvalidGraphic("\"" + fileName + "\" is not a readable PNG picture");
    TPictureHeader header;
    header.width = static_cast<int>(width);
    header.height = static_cast<int>(height);
    header.format = TPixelFormat::pf32bit;
    header.alphaDefined = true;
    return header;
}

void DeferPngPicture(const std::string& fileName, TBitmap& bitmap)
{
    NamingTheFile(fileName, [&] { DeferPictureFile(fileName, bitmap, &ReadPngFileHeader, &LoadPngPicture); });
}

void RegisterPngPictureLoader()
{
    TClassRegistry::Instance().SetPictureFormat(".png", {&ReadPngFileHeader, &LoadPngPicture});
}

} // namespace kelp
