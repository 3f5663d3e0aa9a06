#pragma once
// The fan-settings library with the BIOS items reached through the nap
// library; it also runs the fans while the machine naps.

#include "hw/AbsVentryLib.h"
#include "kelp/vantor/DozlaFans.h"
#include "kelp/vantor/DozlaLib.h"

namespace kelp {

class VentryLibForDozla final : public AbsVentryLib, public DozlaFans {
public:
    static VentryLibForDozla& Instance();

    // Registers itself as the fan library and the nap fans, and builds its tables.
    explicit VentryLibForDozla(DozlaLib& nap);

    bool IsVentryThreeSupported() override;
    uint32_t GetItem(uint32_t id) override;
    void SetItem(uint32_t id, uint32_t first, uint32_t second) override;
    bool IsItemSupported(uint32_t id) override;

    // Board fan control off: the extra curve; chassis fan off for the
    // deeper saving levels, cruising otherwise.
    void ApplyNapFans(uint32_t level) override;
    // The curve of the board's own fan mode and the chassis fan's setting.
    void RestoreFans() override;

private:
    DozlaLib& m_nap;
};

} // namespace kelp
