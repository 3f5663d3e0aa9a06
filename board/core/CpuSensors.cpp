#include "board/core/CpuSensors.h"

#include "board/core/CpuLoadMeter.h"
#include "board/core/GearState.h"
#include "board/core/PowerWord.h"

#include <algorithm>
#include <cmath>

namespace vboard {

namespace {
// Current drawn in each gear relative to High Performance.
constexpr double kGearScale[] = {1.15, 1.0, 0.74, 0.54};

bool Held(const BoardState& state)
{
    const auto sensors = state.Knob("tamsel_sensors");
    return sensors && *sensors == "hold";
}

unsigned LoadPercent(const BoardState& state)
{
    if (state.Knob("tamsel_cpu_load"))
        return state.KnobWord("tamsel_cpu_load", 0);
    return CpuLoadMeter::Instance().Sample();
}

// The sensor measures whole amperes and the power is derived from that
// reading, so both readings move together and only by measurable steps.
long Amperes(const BoardState& state)
{
    const double idle = state.KnobWord("tamsel_idle_current", 8);
    const double full = state.KnobWord("tamsel_full_current", 60);
    const double load = std::min(LoadPercent(state), 100u) / 100.0;
    return std::lround((idle + (full - idle) * load) * kGearScale[GearInForce(state)]);
}
} // namespace

bool ReadSensor(const BoardState& state, uint32_t id, uint32_t& value)
{
    if ((id != kCpuCurrentItem && id != kCpuPowerItem) || !state.Find(id) || Held(state))
        return false;
    const long amps = Amperes(state);
    if (id == kCpuCurrentItem) {
        value = uint32_t(amps);
    } else {
        const double volts = state.KnobWord("tamsel_vcore_mv", 1200) / 1000.0;
        value = EncodePowerWord(amps * volts);
    }
    return true;
}

} // namespace vboard
