#pragma once
// The order of mode changes. Each change a request lets through draws a
// number, and the newest number belongs to the mode the user chose last.
// A change does its work in stages (the level, the graphics card, each
// extra, the tray icon); a stage runs only while its change is still the
// newest, and under one lock shared by all changes. A change that a newer
// one overtook during a slow call (a firmware level write, the graphics
// pipe) therefore applies nothing more, and no stage of an older change
// ends after a stage of a newer one.

#include <cstdint>
#include <functional>

namespace ModeChangeOrder {

using Number = uint32_t;

// The number of a change about to start: every change drawn before it is
// overtaken from now on.
Number Draw();
// No change drawn so far may apply anything more (the exit gives up on them).
void OvertakeAll();
bool IsNewest(Number change);

// Runs `stage` when `change` is still the newest once the stage lock is
// held; false when it was overtaken and the stage was skipped. A stage
// that holds the lock too long (a library call that hangs) does not stop
// the others for good: after a bounded wait they run without it.
bool RunStage(Number change, const std::function<void()>& stage);

} // namespace ModeChangeOrder
