#pragma once
// Whole-file reads and crash-safe whole-file replacement.

#include <string>

namespace vboard {

bool ReadFileText(const std::string& path, std::string& text);

// Writes a sibling temporary file and moves it over the target, so a
// reader sees either the old or the new content, never a torn file.
// Creates missing parent folders. Once it returns the new content is the
// system's: a crash of the writing process cannot lose it. It is not forced
// to the disk, which cost more than the write itself; after a crash of the
// whole system the file is either intact or fails its checksum.
bool ReplaceFileText(const std::string& path, const std::string& text);

} // namespace vboard
