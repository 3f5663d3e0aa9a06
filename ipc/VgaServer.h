#pragma once
// GpuLib over the companion program's graphics pipe and its registry key.

#include "framework/system/ProcessWide.h"
#include "ipc/GpuLib.h"

#include <windows.h>

namespace kelp {

class PipeReply;

class VgaServer final : public GpuLib {
public:
    static VgaServer& Instance();

    bool SetVgaMode(uint32_t mode) override;
    bool GetVgaMode(uint32_t& mode) override;
    bool QueryVgaCapability(VgaCapability& capability) override;
    bool GetVgaModeValue(uint32_t mode, uint32_t& value) override;
    bool HasVersion() override;
    bool IsServerAvailable() override;
    bool IsSyncEnabled() override;

private:
    friend class ProcessWide<VgaServer>;
    VgaServer() = default;
    // Sends the command (and its argument) and succeeds on a result of 1.
    static bool Send(PipeReply& reply, uint32_t command);
    static bool Send(PipeReply& reply, uint32_t command, uint32_t argument);
    static bool ReadDword(const char* name, DWORD& value);
};

} // namespace kelp
