#pragma once
// A Pellix.exe started by a test, and what can be seen of it from outside:
// its top-level windows, its message boxes and its exit code.

#include "framework/TKernelHandle.h"

#include <functional>
#include <string>
#include <vector>
#include <windows.h>

struct ProcessWindow {
    HWND handle;
    std::string windowClass;
    std::string caption;
    bool visible;
};

class PellixProcess {
public:
    // Starts Pellix.exe with these arguments: the one of the runtime folder,
    // or the one at `program` (an installed copy).
    explicit PellixProcess(const std::string& arguments, const std::string& program = {});
    // Ends the process if a test left it running.
    ~PellixProcess();
    PellixProcess(const PellixProcess&) = delete;
    PellixProcess& operator=(const PellixProcess&) = delete;

    DWORD Id() const { return m_id; }
    bool Running() const;
    // Ends the process at once, as the system does at the end of a session.
    void Kill();
    // Waits for the end; false when it did not end in time.
    bool WaitForExit(DWORD timeoutMs);
    DWORD ExitCode() const;

    std::vector<ProcessWindow> Windows() const;
    // Polls until the process has a top-level window of this class; nullptr
    // when it did not appear in time or the process ended.
    HWND WaitForWindow(const char* windowClass, DWORD timeoutMs) const;

private:
    TKernelHandle m_process;
    DWORD m_id = 0;
};

// Text of a message box's static text control.
std::string MessageBoxText(HWND box);
// Number of running processes with this executable name.
int CountProcesses(const char* exeName);
// Polls a condition for up to timeoutMs.
bool Eventually(const std::function<bool()>& condition, DWORD timeoutMs);
