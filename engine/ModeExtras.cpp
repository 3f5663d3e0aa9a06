#include "engine/ModeExtras.h"

#include "engine/AdvanceSettings.h"
#include "engine/IdleWatcher.h"
#include "engine/ModeModel.h"
#include "framework/system/Trace.h"
#include "hw/CpuVentryLibForTamsel.h"
#include "hw/SpindownTimeout.h"

#include <atomic>

namespace {
// The curve and cruise pair that make up the quiet profile.
constexpr int kQuietCpuCurve = kelp::AbsVentryLib::kExtraCurve;
constexpr int kQuietChassisPair = 1;

std::atomic<bool> fansTakenOver{false};

ModeTuning TuningOf(int level)
{
    ModeTuning tuning;
    AdvanceSettings::Instance().GetTuning(LevelToIndex(level), tuning);
    return tuning;
}

void ApplyFanProfile(int level, const ModeTuning& tuning)
{
    kelp::AbsVentryLib& fans = kelp::CpuVentryLibForTamsel::Instance();
    if (tuning.Fan != 0)
        ApplyQuietFanProfile(fans, level);
    else
        ApplyNormalFanProfile(fans);
}
} // namespace

bool ApplyModeExtras(int level, const ModeStepRunner& runStep)
{
    const ModeTuning tuning = TuningOf(level);
    return runStep([&] { kelp::SpindownTimeout::Instance().SetSpindownTimeout(tuning.SpinDownTimeout); }) &&
           runStep([&] { ApplyIdleTimeout(IdleWatcher::Instance(), tuning.DozlaIdleTimeout); }) &&
           runStep([&] { ApplyFanProfile(level, tuning); });
}

void ApplyModeFanProfile(int level)
{
    ApplyFanProfile(level, TuningOf(level));
}

bool FansTakenOver()
{
    return fansTakenOver.load();
}

void ApplyIdleTimeout(IdleWatcher& watcher, uint32_t timeoutMs)
{
    if (timeoutMs >= kMinimumIdleTimeoutMs) {
        watcher.Restart();
        watcher.SetEnabled(true);
        watcher.SetTimeout(timeoutMs);
    } else {
        watcher.SetEnabled(false);
    }
}

void ApplyQuietFanProfile(kelp::AbsVentryLib& fans, int level)
{
    if (!fans.IsVentryThreeSupported())
        return;
    if (fans.GetCpuFanMode() == kelp::AbsVentryLib::kFanControlOff) {
        fansTakenOver = true;
        const kelp::FanCurve curve = fans.GetProfileCurve(kQuietCpuCurve);
        Trace("~~~Set CPU Fan User mode for Tamsel %x %x %x %x %x %x", unsigned(curve[0]), unsigned(curve[1]),
                    unsigned(curve[2]), unsigned(curve[3]), unsigned(curve[4]), unsigned(curve[5]));
        fans.SetCpuFanCurve(curve);
    }
    if (fans.HasChassisFanItems() && fans.GetChassisFanMode() == kelp::AbsVentryLib::kFanControlOff) {
        fansTakenOver = true;
        if (level == GearLevel::MaxSaving) {
            fans.SetChassisFanOff();
        } else {
            const kelp::CruisePair pair = fans.GetCruisePair(kQuietChassisPair);
            Trace("~~~Set Chassis Fan Silent mode for Tamsel %x %x ", unsigned(pair.target),
                        unsigned(pair.tolerance));
            fans.SetChassisFanCruise(pair.target, pair.tolerance);
        }
    }
}

void ApplyNormalFanProfile(kelp::AbsVentryLib& fans)
{
    // Both modes are read before either fan is handed back.
    const uint8_t cpuMode = fans.GetCpuFanMode();
    const uint8_t chassisMode = fans.GetChassisFanMode();
    if (cpuMode == kelp::AbsVentryLib::kFanControlOff)
        fans.ResetCpuFanCurve();
    if (chassisMode == kelp::AbsVentryLib::kFanControlOff)
        fans.RestoreChassisFan();
}
