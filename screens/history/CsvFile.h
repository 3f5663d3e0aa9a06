#pragma once
// Writes a whole text file so that it is either there complete or not
// changed: the text goes to a file beside it first, which then replaces the
// target in one step.

#include <string>

namespace historyview {

bool WriteFileWhole(const std::string& path, const std::string& text);

} // namespace historyview
