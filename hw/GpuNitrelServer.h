#pragma once
// GpuLib over the board's own graphics-boost items: a mode change sets the
// boost and the integrated graphics; the answers a companion program would
// give are fixed.

#include "hw/GraphicsBoost.h"
#include "ipc/GpuLib.h"

#include <cstdint>

namespace kelp {

class GpuNitrelServer final : public GpuLib {
public:
    // The stored graphics-frequency setting of a mode index (0 Turbo, 4 Auto).
    using GpuFreqSource = uint32_t (*)(int modeIndex);

    GpuNitrelServer(GraphicsBoost& boost, GpuFreqSource gpuFreq) : m_boost(boost), m_gpuFreq(gpuFreq) {}
    GpuNitrelServer(const GpuNitrelServer&) = delete;
    GpuNitrelServer& operator=(const GpuNitrelServer&) = delete;

    bool SetVgaMode(uint32_t mode) override;
    bool GetVgaMode(uint32_t& mode) override;
    bool QueryVgaCapability(VgaCapability& capability) override;
    bool GetVgaModeValue(uint32_t mode, uint32_t& value) override;
    bool HasVersion() override { return true; }
    bool IsServerAvailable() override { return true; }
    bool IsSyncEnabled() override { return true; }

private:
    GraphicsBoost& m_boost;
    GpuFreqSource m_gpuFreq;
    uint32_t m_mode = 0;
};

// The process-wide GpuLib: the board's own boost when GraphicsBoost is
// available, otherwise the companion program's pipe. Decided on first use;
// `gpuFreq` is only consulted then.
GpuLib& GpuLibInstance(GpuNitrelServer::GpuFreqSource gpuFreq);

} // namespace kelp
