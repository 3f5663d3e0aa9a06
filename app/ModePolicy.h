#pragma once
// What the organisation's policies say about power modes, in one place.
//  - Every user-facing request (the dial, other programs' window messages,
//    pellixctl, hotkeys) asks RefuseUserMode first; a refused request starts
//    nothing, is traced and is shown in the tray balloon.
//  - A forced mode is applied at start, after resume and whenever the
//    policies change (EnforceForcedMode), counted as the policy's change.
// Internal steps (the start-up restore's neutral level, the calibration's
// levels, session end, the exit's High Performance) call the mode engine
// directly: they are no choice of the user's.

namespace modepolicy {

// nullptr when the policies let a user's request for `level` through, else
// the value name of the policy that refuses it. A request for the level in
// force always passes: it changes nothing (the settings form applies the
// running mode anew after OK).
const char* RefuseUserMode(int level);

// The forced mode, when one is in force and the board is not in it already
// (nor overclocked): started now. True when a change was started.
bool EnforceForcedMode();

// The level to go back to after a resume: the forced mode while one is in
// force, else the level that was in force at suspend.
int ResumeLevel(int suspendLevel);

} // namespace modepolicy
