#pragma once
// The image record of the PNG codec library pixary.dll and what this
// program does with it: the record layout and entry points it relies on,
// ownership of a filled record, the checks before its rows are read and
// the conversion of one row. Plain C++ so that it runs anywhere.

#include <cstdint>

// The library's calling convention exists only on Windows.
#ifndef _WIN32
#define __stdcall
#endif

namespace kelp {

// Filled by ReadPngEx, released by FreePngData (24 bytes in the 32-bit
// library).
struct PngImageRecord {
    uint32_t width;
    uint32_t height;     // row count
    uint32_t bitDepth;   // not used here
    uint32_t colorType;  // 6: R, G, B, A bytes per pixel; anything else R, G, B
    uint32_t rowBytes;   // not used here
    uint8_t** rows;      // one pointer per row
};
static_assert(sizeof(void*) != 4 || sizeof(PngImageRecord) == 24, "record layout of the 32-bit library");

constexpr uint32_t kPngRgba = 6;

using PngReadCallback = uint32_t(__stdcall*)(void* stream, void* buffer, uint32_t count);
using PngWriteCallback = uint32_t(__stdcall*)(void* stream, const void* buffer, uint32_t count);
using ReadPngExFunction = int(__stdcall*)(PngImageRecord* image, PngReadCallback read, void* stream);
using WritePngExFunction = int(__stdcall*)(const PngImageRecord* image, PngWriteCallback write, void* stream);
using FreePngDataFunction = void(__stdcall*)(PngImageRecord* image);
using AllocatePngDataFunction = int(__stdcall*)(PngImageRecord* image, uint32_t width, uint32_t height,
                                                uint32_t colorType);

// Hands a filled record back to the library when it goes out of scope,
// also when the copy of its rows throws.
class PngImage {
public:
    explicit PngImage(FreePngDataFunction free) : m_free(free) {}
    ~PngImage()
    {
        if (m_filled && m_free)
            m_free(&m_record);
    }
    PngImage(const PngImage&) = delete;
    PngImage& operator=(const PngImage&) = delete;

    // Decodes through the library; false (nothing to release) on failure.
    bool Read(ReadPngExFunction read, PngReadCallback callback, void* stream);
    const PngImageRecord& Record() const { return m_record; }

private:
    FreePngDataFunction m_free;
    PngImageRecord m_record{};
    bool m_filled = false;
};

// A record whose rows can be read: a size a bitmap can take and a row
// pointer for every row.
bool IsUsablePngRecord(const PngImageRecord& record, uint32_t maxSide);

// Converts row y of the record into B, G, R pixels, targetStep bytes each
// (3, or 4 with alpha: the source alpha for colour type 6, else 255;
// fully transparent pixels become all zero).
void ConvertPngRow(const PngImageRecord& record, uint32_t y, uint8_t* target, int targetStep);

} // namespace kelp
