#include "hw/GpuNitrelServer.h"

#include "framework/system/ProcessWide.h"
#include "ipc/VgaServer.h"

namespace kelp {
namespace {
constexpr uint32_t kTurbo = 0x4000;
constexpr uint32_t kAuto = 0x8000;
constexpr uint32_t kHighPerformance = 0;
constexpr int kTurboIndex = 0;
constexpr int kAutoIndex = 4;
// Capability: power saving and own Auto mode, no power reporting.
constexpr uint32_t kCapabilityFlags = 5;
constexpr uint32_t kSavingModeValue = 200;

GpuLib& ChooseGpuLib(GpuNitrelServer::GpuFreqSource gpuFreq)
{
    if (GraphicsBoost::Instance().IsAvailable()) {
        static ProcessWide<GpuNitrelServer> board(GraphicsBoost::Instance(), gpuFreq);
        return *board;
    }
    return VgaServer::Instance();
}
} // namespace

bool GpuNitrelServer::SetVgaMode(uint32_t mode)
{
    int32_t target = m_boost.InitialBoost();
    if ((mode == kTurbo || mode == kAuto) && m_gpuFreq)
        target = int32_t(m_boost.BoostBase() + m_gpuFreq(mode == kTurbo ? kTurboIndex : kAutoIndex));
    m_boost.SetBoost(target);
    uint32_t igd = mode == kTurbo ? 0 : mode == kHighPerformance ? m_boost.InitialIgd() : 1;
    m_boost.SetIgd(igd);
    m_mode = mode;
    return true;
}

bool GpuNitrelServer::GetVgaMode(uint32_t& mode)
{
    mode = m_mode;
    return true;
}

bool GpuNitrelServer::QueryVgaCapability(VgaCapability& capability)
{
    capability.flags = kCapabilityFlags;
    capability.value = 0;
    return true;
}

bool GpuNitrelServer::GetVgaModeValue(uint32_t mode, uint32_t& value)
{
    value = mode == kTurbo || mode == kHighPerformance ? 0 : kSavingModeValue;
    return true;
}

GpuLib& GpuLibInstance(GpuNitrelServer::GpuFreqSource gpuFreq)
{
    static GpuLib& gpu = ChooseGpuLib(gpuFreq);
    return gpu;
}

} // namespace kelp
