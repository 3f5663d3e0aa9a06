#pragma once
// The system's open dialog for a program of the automation page: programs
// only, the file must exist; the full path is the answer.

#include <windows.h>

#include <optional>
#include <string>

namespace automationpage {

// `filter` names the program file type in the user's language.
std::optional<std::string> AskProgramPath(HWND owner, const std::string& filter);

} // namespace automationpage
