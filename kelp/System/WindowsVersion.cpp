#include "kelp/System/WindowsVersion.h"

#include <windows.h>

namespace kelp {

namespace {
constexpr unsigned kVista = 6;
} // namespace

unsigned WindowsMajorVersion()
{
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
    return GetVersionExA(&version) ? version.dwMajorVersion : 0;
}

bool IsVistaOrLater(unsigned majorVersion)
{
    return majorVersion >= kVista || majorVersion == 0;
}

} // namespace kelp
