#include "ipc/VgaServer.h"

#include "framework/system/ProcessWide.h"
#include "ipc/OrdunPipeClient.h"
#include "ipc/OrdunProtocol.h"
#include "kelp/System/WinPipe.h"
#include "kelp/System/WinRegistry.h"

namespace kelp {

VgaServer& VgaServer::Instance()
{
    static ProcessWide<VgaServer> instance;
    return *instance;
}

bool VgaServer::Send(PipeReply& reply, uint32_t command)
{
    return OrdunPipeClient::Instance().Call(&command, sizeof command, reply);
}

bool VgaServer::Send(PipeReply& reply, uint32_t command, uint32_t argument)
{
    const uint32_t request[2] = {command, argument};
    return OrdunPipeClient::Instance().Call(request, sizeof request, reply);
}

bool VgaServer::SetVgaMode(uint32_t mode)
{
    PipeReply reply;
    return Send(reply, ordun::kSetVgaMode, mode);
}

bool VgaServer::GetVgaMode(uint32_t& mode)
{
    PipeReply reply;
    return Send(reply, ordun::kGetVgaMode) && reply.PayloadWord(0, mode);
}

bool VgaServer::QueryVgaCapability(VgaCapability& capability)
{
    PipeReply reply;
    VgaCapability answer;
    if (!Send(reply, ordun::kQueryVgaCapability) || !reply.PayloadWord(0, answer.flags) ||
        !reply.PayloadWord(1, answer.value))
        return false;
    capability = answer;
    return true;
}

bool VgaServer::GetVgaModeValue(uint32_t mode, uint32_t& value)
{
    PipeReply reply;
    return Send(reply, ordun::kGetVgaModeValue, mode) && reply.PayloadWord(0, value);
}

bool VgaServer::ReadDword(const char* name, DWORD& value)
{
    RegistryKeyReader key;
    return key.Open(HKEY_LOCAL_MACHINE, ordun::kVgaRegistryKey) && key.ReadDword(name, value);
}

bool VgaServer::HasVersion()
{
    DWORD version = 0;
    return ReadDword(ordun::kVgaVersionValue, version);
}

bool VgaServer::IsServerAvailable()
{
    return NamedPipeA::IsServerAvailable(".", ordun::kVgaPipeName, 1000);
}

bool VgaServer::IsSyncEnabled()
{
    DWORD enabled = 0;
    return ReadDword(ordun::kVgaSyncValue, enabled) && enabled == 1;
}

} // namespace kelp
