#pragma once
// Why a mode change was asked for. Whoever asks counts the request once it
// is let through; the metrics export the counts by cause, and the automation
// names the cause that holds the mode.

#include <array>
#include <cstddef>
#include <cstdint>

enum class ModeChangeCause : uint8_t {
    User,        // the dial or the main window's buttons
    Tray,        // the tray icon's menu and window messages of other programs
    Hotkey,
    Rule,        // a program rule started or ended
    Schedule,
    CommandLine, // pellixctl
    Policy,      // a forced mode of the organisation's policy
    Resume,      // the mode put back after a suspend
};
constexpr size_t kModeChangeCauseCount = 8;

// Lower-case, stable names ("user", "command_line"): labels in exported files.
const char* ModeChangeCauseName(ModeChangeCause cause);

// Any thread.
void CountModeChange(ModeChangeCause cause);
std::array<uint64_t, kModeChangeCauseCount> ModeChangeCounts();
