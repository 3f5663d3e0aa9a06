#pragma once
// Conditions checked before the program starts or shows its window: other
// tuning utilities, overclocking, pending installs and reboots, the
// run-at-log-on option and the first run.

// An older-generation suite utility runs beside an ACPI interface older
// than version 3.
bool IsSuiteRunning();
// The overclocking utility's main window exists.
bool IsSplintRunning();
// That window is visible (only checked before ACPI interface version 3).
bool IsSplintVisible();
// The firmware reports an overclocked state.
bool IsBiosOverclocked();
// The board offers the graphics boost but its driver is not installed,
// and the user has not been told so in this process yet.
bool IsGruvoMissing();
void MarkGruvoNoticeShown();
// True once per installation; records that the first run happened.
bool CheckFirstRun();
// The firmware's extreme-tuning feature is present and active.
bool IsXtuConflict();
// The installer left a run-once entry: it needs a reboot first.
bool IsInstallPending();
// Another component asked for a reboot.
bool IsRebootPending();
// The run-at-log-on option is not switched off.
bool IsRunAtStartupAllowed();
