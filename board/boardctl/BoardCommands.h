#pragma once
// The boardctl commands. Each writes its report to `out`, or one error line
// to `err`, and returns the process exit code (0 success, 1 failure,
// 2 usage error).

#include <cstdio>
#include <string>
#include <vector>

namespace boardctl {

int Run(const std::vector<std::string>& arguments, std::FILE* out, std::FILE* err);

} // namespace boardctl
