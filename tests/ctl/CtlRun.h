#pragma once
// Runs the built pellixctl.exe and collects what it said and its exit code.

#include <windows.h>

#include <string>
#include <vector>

namespace ctltest {

struct CtlResult {
    int exitCode = -1;  // -1: it did not end in time
    std::string out;
    std::string err;
    double elapsedMs = 0;
};

CtlResult RunCtl(const std::vector<std::string>& args, DWORD timeoutMs = 60000);

} // namespace ctltest
