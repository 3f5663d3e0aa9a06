#include "board/syscontrol/SysControlService.h"

#include "ipc/SysCtrlProtocol.h"
#include "kelp/vantor/BiosInterface.h"
#include "kelp/vantor/BiosItems.h"

#include <cstring>
#include <mutex>

namespace kelp::board {
namespace {
constexpr uint32_t kResultFailed = 0;
constexpr uint32_t kResultOk = 1;

// The item calls of one request belong together.
std::mutex& BiosLock()
{
    static std::mutex lock;
    return lock;
}
} // namespace

SysControlService::SysControlService(int argc, char** argv)
    : PeerProgram(sysctrl::kPipeName, argc, argv)
{
}

std::vector<uint8_t> SysControlService::Answer(const uint8_t* request, DWORD size,
                                               ReplyStyle style)
{
    uint32_t command = 0;
    if (size >= sizeof command)
        std::memcpy(&command, request, sizeof command);
    if (size < sizeof command || command != sysctrl::kGetOcState)
        return Words({kResultFailed});

    uint32_t state = 0;
    uint32_t version = 0;
    {
        std::lock_guard<std::mutex> guard(BiosLock());
        InitInterface();
        if (!GetItem(BiosItemId::kOverclockState, state))
            return Words({kResultFailed});
        version = GetInterfaceVersion();
    }
    if (style == ReplyStyle::Short)
        return Words({kResultOk, state});
    return Words({kResultOk, state, version});
}

} // namespace kelp::board
