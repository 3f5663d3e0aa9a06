#pragma once
// What a mode brings besides its gear level: the hard-disk spin-down time,
// the idle watcher's time-out and the fan profile. Applied by the
// mode-change thread after the level is set.

#include <cstdint>
#include <functional>

class IdleWatcher;
namespace kelp {
class AbsVentryLib;
}

// Idle time-outs below this leave the watcher off.
inline constexpr uint32_t kMinimumIdleTimeoutMs = 60000;

// Runs one step of a change; false when the step was skipped.
using ModeStepRunner = std::function<bool(const std::function<void()>&)>;

// The extras stored for the level's mode, on the process-wide libraries,
// each (spin-down time, idle watcher, fans) as a step of `runStep`; stops
// at the first step it skips and returns false then.
bool ApplyModeExtras(int level, const ModeStepRunner& runStep);
// The fan profile stored for the level's mode alone.
void ApplyModeFanProfile(int level);
// True once this process has begun to drive a fan with a quiet profile:
// the fans may be off the board's own control until a normal profile is
// applied.
bool FansTakenOver();

// Arms the watcher for `timeoutMs` from now on, or turns it off for a
// time-out below kMinimumIdleTimeoutMs.
void ApplyIdleTimeout(IdleWatcher& watcher, uint32_t timeoutMs);

// Quiet fans, on boards with third-generation fan control: the stored
// extra curve for a CPU fan the board does not control itself, and the
// quiet cruise setting (or, at Max Power Saving, a stopped fan) for such a
// chassis fan.
void ApplyQuietFanProfile(kelp::AbsVentryLib& fans, int level);
// Hands fans the program took over back to their default control.
void ApplyNormalFanProfile(kelp::AbsVentryLib& fans);
