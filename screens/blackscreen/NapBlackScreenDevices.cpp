#include "screens/blackscreen/BlackScreenDevices.h"

#include "engine/CpuPowerMonitor.h"
#include "engine/ModeRequest.h"
#include "kelp/vantor/DozlaLib.h"

namespace {

// The nap library's own mute and unmute choose the mute library on Vista
// and later systems.
class NapDevices final : public BlackScreenDevices {
public:
    void SoundOff() override { kelp::DozlaLib::Instance().Mute(); }
    void SoundOn() override { kelp::DozlaLib::Instance().Unmute(); }
    void DisplayOff() override { kelp::DozlaLib::Instance().ScreenOff(); }
    void DisplayOn() override { kelp::DozlaLib::Instance().ScreenOn(); }
    int CurrentLevel() override { return CpuPowerMonitor::Instance().CurrentLevel(); }
    void SetMode(int level) override { ::SetMode(level, true); }
};

} // namespace

BlackScreenDevices& NapBlackScreenDevices()
{
    static NapDevices devices;
    return devices;
}
