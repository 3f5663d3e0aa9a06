#include "ipc/LocalPipeSecurity.h"

#include "framework/system/Trace.h"

#include <sddl.h>

namespace kelp {
namespace {
// Network logons are denied; the system and administrators get full
// control; everyone else may open the pipe for reading and writing.
constexpr const char* kLocalUsersOnly = "D:(D;;GA;;;NU)(A;;GA;;;SY)(A;;GA;;;BA)(A;;GRGW;;;WD)";
} // namespace

LocalPipeSecurity::LocalPipeSecurity(bool inheritHandle, const char* text)
{
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorA(text ? text : kLocalUsersOnly, SDDL_REVISION_1,
                                                              &descriptor, nullptr)) {
        Trace("~~~[LocalPipeSecurity] building the pipe security failed, GetLastError returned %d",
              static_cast<int>(GetLastError()));
        return;
    }
    descriptor_.reset(descriptor);
    attributes_.nLength = sizeof attributes_;
    attributes_.lpSecurityDescriptor = descriptor;
    attributes_.bInheritHandle = inheritHandle ? TRUE : FALSE;
}

} // namespace kelp
