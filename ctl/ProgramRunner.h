#pragma once
// Runs a program with its arguments in pellixctl's console and waits for
// it to end.

#include <optional>
#include <string>
#include <vector>

namespace ctl {

// The command line for CreateProcess: each argument quoted where needed,
// so that the program's parser gets the arguments back unchanged.
std::string QuoteCommandLine(const std::vector<std::string>& args);

// The program's exit code; nothing when it could not be started.
std::optional<int> RunProgram(const std::vector<std::string>& args);

} // namespace ctl
