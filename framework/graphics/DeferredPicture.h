#pragma once
// A picture file read in two steps: its header at once, so that a missing
// or broken file is known and the bitmap has its size, and its pixels when
// something first needs them. Forms hold many pictures they may never show.

#include "framework/graphics/Bitmap.h"

#include <functional>
#include <string>

using TPictureHeaderReader = std::function<TPictureHeader(const std::string& path)>;
// Reads a whole picture file into a bitmap.
using TPictureLoader = std::function<void(const std::string& path, TBitmap& bitmap)>;

// The header reader's errors are raised as they are; whatever goes wrong
// with the pixels later raises EPictureError naming the file. A file that
// turns out to hold another picture than its header promised (changed
// since) is no error: its pixels are held in the promised size and format.
void DeferPictureFile(const std::string& path, TBitmap& bitmap, const TPictureHeaderReader& readHeader,
                      TPictureLoader load);

// Runs the step; any other error than EPictureError is raised again as
// EPictureError naming the file.
void NamingTheFile(const std::string& path, const std::function<void()>& step);
