#include "engine/ModeHardware.h"

#include <atomic>

namespace {

class NoModeHardware final : public ModeHardware {
public:
    HardwareDefaults GetDefaults(int) override { return {}; }
    void ApplyTuning(int, uint32_t, uint32_t, uint32_t, uint32_t) override {}
    bool IsAcpiV3() override { return false; }
};

NoModeHardware noHardware;
std::atomic<ModeHardware*> plugged{nullptr};

} // namespace

void PlugModeHardware(ModeHardware* hardware)
{
    plugged.store(hardware);
}

ModeHardware& PluggedModeHardware()
{
    ModeHardware* hardware = plugged.load();
    return hardware ? *hardware : noHardware;
}
