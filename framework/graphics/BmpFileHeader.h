#pragma once
// The header of a Windows bitmap file, read without its pixels: enough to
// know the picture's size and format, and to refuse a file whose header is
// broken or claims more pixels than the file holds.

#include "framework/graphics/Bitmap.h"

#include <string>

// Raises EFOpenError when the file cannot be opened and EInvalidGraphic
// when it is not a complete bitmap this program reads.
TPictureHeader ReadBmpFileHeader(const std::string& fileName);
