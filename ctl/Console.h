#pragma once
// Output of pellixctl. Texts from the language files are in the system's
// ANSI code page; a console shows them through the wide-character call,
// while a pipe or file gets the bytes unchanged.

#include <string>

namespace ctl {

void Out(const std::string& text);
void Err(const std::string& text);
// The line ends in place on a console: the next write overwrites it.
void Progress(const std::string& text);
bool IsConsoleOutput();

} // namespace ctl
