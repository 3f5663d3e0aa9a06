#pragma once
// Runs Pellix Setup and its uninstaller the way a user or a deployment
// script does, and reads what a run leaves behind for the user.

#include <windows.h>

#include <string>

constexpr DWORD kNotStarted = 0xFFFFFFFF;
// The run, or a process it started, did not end in time; the test has
// failed with the names of the processes that hung, and they were ended.
constexpr DWORD kTimedOut = 0xFFFFFFFE;

// Setup's exit codes for scripted installs.
constexpr DWORD kSetupDone = 0;
constexpr DWORD kSetupRestartNeeded = 3010;
constexpr DWORD kSetupNoRights = 10;
constexpr DWORD kSetupNotWritable = 11;
constexpr DWORD kSetupNoSpace = 12;

// PellixSetup.exe as the build made it.
std::string SetupPath();

// Runs a command line and waits until it and the processes it started have
// ended (the uninstaller hands over to a copy of itself). Returns the exit
// code of the program started, kNotStarted when it could not start,
// kTimedOut when it hung.
DWORD RunAndWait(const std::string& commandLine);

// The same, as a standard user would: the Administrators group of this
// process's token is disabled for the program.
DWORD RunWithoutAdminRights(const std::string& commandLine);

// Runs PellixSetup.exe with these arguments; the previous outcome log is
// removed first so that SetupLog() tells about this run.
DWORD RunSetup(const std::string& arguments);
DWORD RunSetupWithoutAdminRights(const std::string& arguments);

// The one-line outcome Setup and the uninstaller leave in %TEMP%.
std::string SetupLog();
