#include "ipc/OrdunPipeClient.h"

#include "framework/system/ProcessWide.h"
#include "ipc/OrdunProtocol.h"

namespace kelp {

OrdunPipeClient& OrdunPipeClient::Instance()
{
    static ProcessWide<OrdunPipeClient> instance;
    return *instance;
}

OrdunPipeClient::OrdunPipeClient()
    : GuardedPipeClient({ordun::kVgaPipeName, ordun::kVgaReplyCapacity, 10000,
                         "[OrdunPipeClient::Call] Failed, the previous request is not completed yet.",
                         "[OrdunPipeClient::Call] Failed, Waiting error or Timeout."})
{
}

} // namespace kelp
