#include "kelp/System/Assert.h"

#include "framework/system/Trace.h"

#include <cstdio>
#include <string>
#include <windows.h>

namespace kelp {

void AssertionFailed(const char* condition, const char* source, int line)
{
    std::string report = std::string("Assertion failed: ") + condition + ", file " + source +
                         ", line " + std::to_string(line);
    std::fprintf(stderr, "%s\n", report.c_str());
    std::fflush(stderr);
    Trace("%s", report.c_str());
    if (GetEnvironmentVariableA("PELLIX_ASSERT_QUIET", nullptr, 0) == 0)
        MessageBoxA(nullptr, report.c_str(), "Pellix", MB_OK | MB_ICONERROR | MB_TASKMODAL);
    ExitProcess(3);
}

} // namespace kelp
