#pragma once
// The graphics-card side of the power modes: the companion program over the
// graphics pipe, or the board's own graphics-boost items. Mode values are the
// mode engine's graphics modes, passed through unchanged.

#include <cstdint>

namespace kelp {

struct VgaCapability {
    uint32_t flags = 0;  // bit 0 power saving, bit 1 power reporting, bit 2 own Auto mode
    uint32_t value = 0;  // power in milliwatts
};

class GpuLib {
public:
    virtual bool SetVgaMode(uint32_t mode) = 0;
    virtual bool GetVgaMode(uint32_t& mode) = 0;
    virtual bool QueryVgaCapability(VgaCapability& capability) = 0;
    // Saving of the mode in units of 1/10000.
    virtual bool GetVgaModeValue(uint32_t mode, uint32_t& value) = 0;
    virtual bool HasVersion() = 0;
    virtual bool IsServerAvailable() = 0;
    virtual bool IsSyncEnabled() = 0;

    // Bits of the low byte of the capability flags.
    virtual bool HasFlagBit0(uint32_t flags) { return (flags & 0x01) != 0; }
    virtual bool HasFlagBit2(uint32_t flags) { return (flags & 0x04) != 0; }
    virtual bool HasFlagBit1(uint32_t flags) { return (flags & 0x02) != 0; }

protected:
    // The single instance lives until the process ends; nobody deletes it
    // through this interface.
    ~GpuLib() = default;
};

} // namespace kelp
