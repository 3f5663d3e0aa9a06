#pragma once
// Interface of pixary.dll, the PNG codec library: decoded images are handed
// over as a 24-byte record with one pointer per pixel row.

#include <cstdint>

// Exported by name through pixary.def.
#define PIXARY_API extern "C"

struct PngImageData {
    uint32_t width;
    uint32_t height;      // row count
    uint32_t bitDepth;    // bits per sample, always 8
    uint32_t colorType;   // 6: R, G, B, A bytes per pixel; otherwise R, G, B
    uint32_t rowBytes;
    uint8_t** rows;       // height pointers into one allocation owned by the library
};
static_assert(sizeof(void*) != 4 || sizeof(PngImageData) == 24, "record layout of the 32-bit library");

// Stream callbacks: read up to count bytes into buffer and return how many
// were read (0 at the end); write count bytes and return how many were written.
using PngReadCallback = uint32_t(__stdcall*)(void* stream, void* buffer, uint32_t count);
using PngWriteCallback = uint32_t(__stdcall*)(void* stream, const void* buffer, uint32_t count);

// Decodes a PNG read through the callback; non-zero on success. On failure
// the record is left zeroed.
PIXARY_API int __stdcall ReadPngEx(PngImageData* image, PngReadCallback read, void* stream);
// Encodes the record's rows (colour type 6 with alpha, else RGB) as PNG.
PIXARY_API int __stdcall WritePngEx(const PngImageData* image, PngWriteCallback write, void* stream);
// Releases the rows of a record filled by ReadPngEx or AllocatePngData and zeroes it.
PIXARY_API void __stdcall FreePngData(PngImageData* image);
// Gives the record zeroed rows for an image of that size and colour type.
PIXARY_API int __stdcall AllocatePngData(PngImageData* image, uint32_t width, uint32_t height, uint32_t colorType);

using ReadPngExFunction = decltype(&ReadPngEx);
using WritePngExFunction = decltype(&WritePngEx);
using FreePngDataFunction = decltype(&FreePngData);
using AllocatePngDataFunction = decltype(&AllocatePngData);
