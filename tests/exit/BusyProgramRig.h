#pragma once
// Around a Pellix.exe that is ended while busy: its crash guards, its
// windows, settings of its own that a reset would change, and the next
// start at log-on that must find everything as it was.

#include "tests/mainwin/ProgramRig.h"

namespace exittest {

std::optional<DWORD> Flag(const char* name);
bool WindowShown(programtest::Program& program, const char* windowClass);

// Last mode Medium Power Saving and a spin-down time of Medium's that is
// not the default; with an idle time-out, Medium also starts the idle watch.
constexpr DWORD kOwnSpinDown = 900;
void WriteOwnSettings(DWORD idleTimeoutOfMedium = 0);
// Without thresholds Auto asks for a calibration first.
void ForgetThresholds();
// Auto, and the calibration it asks for is up.
void StartCalibration(programtest::Program& program);

// A log-off as the system does it: the question, the answer that the
// session ends, a little grace, and the end of the process.
void LogOff(programtest::Program& program);

// The next log-on restores the last mode with the settings as they were,
// and the window comes up without a notice.
void ExpectCleanLogOn();

} // namespace exittest
