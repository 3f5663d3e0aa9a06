#pragma once
// Checks the headers of Windows bitmaps (.bmp files and DIB resources)
// before any pixel is touched: every size the header claims must lie
// inside the bytes at hand. Plain C++ so that it runs anywhere.

#include <cstddef>
#include <cstdint>

constexpr uint32_t kDibRgb = 0;        // BI_RGB
constexpr uint32_t kDibBitfields = 3;  // BI_BITFIELDS
constexpr size_t kDibInfoHeaderBytes = 40;   // BITMAPINFOHEADER
constexpr size_t kBmpFileHeaderBytes = 14;   // BITMAPFILEHEADER
// Large enough for any skin, small enough that a corrupt header cannot make
// us allocate gigabytes.
constexpr int kMaxBitmapSide = 32768;

// What a valid header says about the pixels that follow it.
struct DibLayout {
    int width = 0;
    int height = 0;            // rows, positive
    bool topDown = false;      // first stored row is the top one
    int bitCount = 0;          // 1, 4, 8, 16, 24 or 32
    uint32_t compression = kDibRgb;
    size_t headerBytes = 0;    // the info header's own size field
    size_t colours = 0;        // colour table entries right after the header
    size_t sourceStride = 0;   // bytes per stored row, DWORD aligned
};

// The info header (with its colour table or bit-field masks) in the first
// infoSize bytes, bitsSize bytes of pixels. False for anything that is not
// a complete bitmap of a depth and compression this program reads.
bool ParseDibHeader(const uint8_t* info, size_t infoSize, size_t bitsSize, DibLayout& layout);

// Where the info header and the pixels of a whole .bmp file lie. False when
// the file header is missing, not "BM", or points outside the file.
bool LocateBmpParts(const uint8_t* bytes, size_t size, size_t& infoSize, size_t& bitsOffset);

// The bytes of a DIB resource taken by the info header and what follows
// it before the pixels (colour table or masks); 0 when the header is
// incomplete or claims more than the resource holds.
size_t DibResourceInfoSize(const uint8_t* bytes, size_t size);
