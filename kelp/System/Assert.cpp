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
    // The box's library is loaded only now: the console programs that share
    // this code (pellixctl) then start without the user-interface library.
    using MessageBoxFunction = int(WINAPI*)(HWND, const char*, const char*, UINT);
    const HMODULE user = GetEnvironmentVariableA("PELLIX_ASSERT_QUIET", nullptr, 0) == 0 ? LoadLibraryA("user32.dll")
                                                                                           : nullptr;
    if (const auto box = user ? reinterpret_cast<MessageBoxFunction>(
                                    reinterpret_cast<void*>(GetProcAddress(user, "MessageBoxA")))
                              : nullptr)
        box(nullptr, report.c_str(), "Pellix", MB_OK | MB_ICONERROR | MB_TASKMODAL);
    ExitProcess(3);
}

} // namespace kelp
