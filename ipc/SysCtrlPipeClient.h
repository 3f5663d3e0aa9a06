#pragma once
// Client of the system-control service's pipe; asks for the BIOS overclock
// state. One transaction at a time, each on a worker thread, the caller
// waiting at most 10 s.

#include "framework/system/ProcessWide.h"
#include "ipc/GuardedPipeClient.h"

#include <cstdint>

namespace kelp {

class SysCtrlPipeClient : public GuardedPipeClient {
public:
    static SysCtrlPipeClient& Instance();

    // True when the service answered with the state and the second value.
    bool GetOcState(uint32_t& state, uint32_t& secondValue);

private:
    friend class ProcessWide<SysCtrlPipeClient>;
    SysCtrlPipeClient();
};

} // namespace kelp
