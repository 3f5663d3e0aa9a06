#pragma once
// Opens an address with the shell's "open" verb (the user's browser for a
// web address), shown normally. The graphics-card form reaches the shell
// only through this, so that it can be given another opener.

#include <functional>
#include <string>

using LinkOpener = std::function<void(const std::string& address)>;

void ShellOpen(const std::string& address);
