#pragma once
// The folder the running program was started from: where its libraries,
// texts and artwork lie.

#include <string>

// The running module's path up to and including its last backslash; empty
// when the path has none (paths built on it are then relative to the
// current directory).
std::string ExecutableFolder();
