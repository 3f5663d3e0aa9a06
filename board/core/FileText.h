#pragma once
// Whole-file reads and crash-safe whole-file replacement.

#include <string>

namespace vboard {

bool ReadFileText(const std::string& path, std::string& text);

// Writes a sibling temporary file and moves it over the target, so a
// reader sees either the old or the new content, never a torn file.
// Creates missing parent folders.
bool ReplaceFileText(const std::string& path, const std::string& text);

} // namespace vboard
