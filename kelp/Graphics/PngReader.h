#pragma once
// Loads PNG files through the codec library pixary.dll (beside the
// executable) into bitmaps: 32 bits per pixel with alpha, or 24 bits.

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Stream.h"
#include "kelp/Graphics/PngImage.h"

#include <string>
#include <windows.h>

namespace kelp {

class PngReader {
public:
    // The process-wide reader; loads the library on first use and stops the
    // program when it is missing.
    static PngReader& Instance();
    // A reader over entry points other than the library's (no library is
    // loaded); the process-wide reader is the one above.
    PngReader(ReadPngExFunction readPngEx, FreePngDataFunction freePngData);
    ~PngReader();
    PngReader(const PngReader&) = delete;
    PngReader& operator=(const PngReader&) = delete;

    // Switches the bitmap to 32 bits per pixel and reads the file into it.
    // Raises EFOpenError when the file cannot be opened; a file that does not
    // decode leaves the bitmap's pixels as they were.
    void LoadPng(const std::string& fileName, TBitmap& bitmap);
    // Decodes the stream into the bitmap: 4 bytes per pixel (B, G, R, A) for
    // a 32-bit bitmap, else 3 at 24 bits. False when decoding fails or the
    // library hands over an image no bitmap can hold; the decoded image is
    // released in every case.
    bool Read(TStream& stream, TBitmap& bitmap);

private:
    PngReader();

    HMODULE m_hinst;
    ReadPngExFunction m_readPngEx;
    WritePngExFunction m_writePngEx;
    FreePngDataFunction m_freePngData;
    AllocatePngDataFunction m_allocatePngData;
};

// Reads a PNG file into a 32-bit bitmap. Unlike LoadPng a file that does not
// decode is an error too: EPictureError names the file in both cases.
void LoadPngPicture(const std::string& fileName, TBitmap& bitmap);
// The size a PNG file's header gives (a 32-bit bitmap with alpha), without
// the codec library. Raises EFOpenError or EInvalidGraphic.
TPictureHeader ReadPngFileHeader(const std::string& fileName);
// Reads the PNG file's header now and decodes it when its pixels are first
// needed; the codec library is loaded only then. EPictureError names the
// file, now or later.
void DeferPngPicture(const std::string& fileName, TBitmap& bitmap);

// Lets form layouts use PNG artwork: ".png" pictures load through the reader.
void RegisterPngPictureLoader();

} // namespace kelp
