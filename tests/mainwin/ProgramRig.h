#pragma once
// What the program tests need around a running Pellix.exe: the board's
// items and knobs, the program's registry values, and a start that waits
// for the main window.

#include "tests/app/ChildProcess.h"

#include <windows.h>

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>

namespace programtest {

constexpr const char* kRootKey = "Software\\VANTOR\\Tamsel3";
constexpr const char* kAdvanceKey = "Software\\VANTOR\\Tamsel3\\Advance";
constexpr const char* kMbAccountKey = "Software\\VANTOR\\Tamsel3\\Ordun\\MB";
constexpr uint32_t kGearLevelItem = 0x0B060001;
constexpr uint32_t kGearEnableItem = 0x0B060002;
constexpr DWORD kStartTimeoutMs = 30000;
// A mode change runs on the program's worker; a few seconds are plenty.
constexpr DWORD kModeChangeMs = 10000;

uint32_t BoardItem(uint32_t id);
void SetBoardItem(uint32_t id, uint32_t value);
std::optional<std::string> BoardKnob(const std::string& name);
void SetBoardKnob(const std::string& name, const std::string& value);
void ClearBoardKnob(const std::string& name);
std::map<uint32_t, uint8_t> SuperIoRegisters();

std::optional<DWORD> ReadDword(const char* subKey, const char* name);
void WriteDword(const char* subKey, const char* name, DWORD value);
void DeleteValue(const char* subKey, const char* name);
double ReadDouble(const char* subKey, const char* name);

// One mode's record of the advanced settings.
struct Tuning {
    DWORD fsb = 0, gpuFreq = 0, vCore = 0, loadLine = 0, nbVolt = 0;
    DWORD idleTimeout = 0, spinDown = 0, fan = 0;
};
// Writes all five records (the store only loads a complete set).
void WriteTunings(const Tuning (&modes)[5]);
Tuning ReadTuning(int modeIndex);

// A clean slate for one start: no crash guard set, the first run and the
// graphics driver notice behind it, no last mode.
void ResetProgramRegistry();

// Started Pellix.exe (the runtime folder's, or the one at `program`) with
// its main window found; ends it on the exit message (or kills it) when the
// object goes.
class Program {
public:
    explicit Program(const std::string& arguments, const std::string& program = {});
    ~Program();

    HWND Window() const { return window_; }
    PellixProcess& Process() { return *process_; }
    bool Started() const { return window_ != nullptr; }
    // The exit message, and the process's end.
    bool Exit();

private:
    std::unique_ptr<PellixProcess> process_;
    HWND window_ = nullptr;
};

// Waits until the board's gear level is `level`.
bool WaitForLevel(uint32_t level, DWORD timeoutMs = kModeChangeMs);
// The program's message form once it is up with a message; null when it
// does not come up in time.
HWND FindDialog(PellixProcess& process, DWORD timeoutMs);
// The message the form shows (also its window text).
std::string DialogText(HWND dialog);
// Answer 1 is the left button, 2 the right one; a hidden button has no text.
std::string ButtonText(HWND dialog, int answer);
// Clicks the button of the answer and waits until the form is down.
void Answer(HWND dialog, int answer);

} // namespace programtest
