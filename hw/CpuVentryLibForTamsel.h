#pragma once
// The fan-settings library with the BIOS items reached through the
// power-gear library; the one the mode engine uses.

#include "hw/AbsVentryLib.h"
#include "kelp/vantor/PowerGear.h"

namespace kelp {

class CpuVentryLibForTamsel final : public AbsVentryLib {
public:
    // Created on first use over the process-wide power gear.
    static CpuVentryLibForTamsel& Instance();

    // Registers itself as the fan library and builds its tables.
    explicit CpuVentryLibForTamsel(PowerGear& gear);

    bool IsVentryThreeSupported() override;
    uint32_t GetItem(uint32_t id) override;
    // Reports a write whose result lacks bit 0.
    void SetItem(uint32_t id, uint32_t first, uint32_t second) override;
    bool IsItemSupported(uint32_t id) override;

private:
    PowerGear& m_gear;
};

} // namespace kelp
