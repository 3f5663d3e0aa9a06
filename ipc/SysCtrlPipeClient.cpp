#include "ipc/SysCtrlPipeClient.h"

#include "framework/system/ProcessWide.h"
#include "ipc/SysCtrlProtocol.h"

namespace kelp {

SysCtrlPipeClient& SysCtrlPipeClient::Instance()
{
    static ProcessWide<SysCtrlPipeClient> instance;
    return *instance;
}

SysCtrlPipeClient::SysCtrlPipeClient()
    : GuardedPipeClient({sysctrl::kPipeName, sysctrl::kReplyCapacity, 10000,
                         "CallSysCtrlService Failed, the previous request is not completed yet.",
                         "CallSysCtrlService Failed, Waiting error or Timeout."})
{
}

bool SysCtrlPipeClient::GetOcState(uint32_t& state, uint32_t& secondValue)
{
    const uint32_t request = sysctrl::kGetOcState;
    PipeReply reply;
    uint32_t first = 0, second = 0;
    if (!Call(&request, sizeof request, reply) || !reply.PayloadWord(0, first) ||
        !reply.PayloadWord(1, second))
        return false;
    state = first;
    secondValue = second;
    return true;
}

} // namespace kelp
