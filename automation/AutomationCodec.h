#pragma once
// The stored form of the automation settings: three text values of lines
// ("\n" between lines; a "\r" before it is ignored), under the program's
// Automation key:
//   hotkeys   "<action>=<on 0|1>,<modifiers>,<key>"   "turbo=1,3,84"
//   rules     "<gear level>|<program>"                "16384|render.exe"
//   schedule  "<days>|<start>|<end>|<gear level>"     "127|1320|420|2"
// Numbers are decimal. Whoever may write the program's key may write
// anything there, so the decoder believes nothing: a value over the size
// limit loads nothing, lines past twice the list's limit are dropped, a
// line that does not parse becomes an entry marked invalid (a rule or a
// window) or leaves its hotkey off, and every entry is validated. Plain C++
// for the fuzzer.

#include "automation/AutomationSettings.h"

#include <string>

namespace automation {

// Bytes of one stored value; a longer one is ignored whole.
constexpr size_t kMaxStoredText = 16 * 1024;
// Lines of a list kept for the page to show (past the limit as TooMany).
constexpr size_t kMaxStoredLines = 2 * kMaxRules;
static_assert(kMaxRules == kMaxWindows, "one line bound for both lists");

struct StoredSettings {
    std::string hotkeys;
    std::string rules;
    std::string schedule;
};

// What a decode found wrong, one bit a kind.
enum StoredProblem : unsigned {
    kValueTooLong = 1u << 0,   // a value over kMaxStoredText, ignored
    kBadLine = 1u << 1,        // a line that does not parse
    kLinesDropped = 1u << 2,   // lines past kMaxStoredLines
    kUnknownHotkey = 1u << 3,  // a hotkey line of no known action
    kInvalidEntry = 1u << 4,   // an entry parsed but failed validation
};

// Only the lists' limits' worth of entries; hotkeys that are off are kept
// with their combination, so that switching one on again restores it.
StoredSettings EncodeSettings(const AutomationSettings& settings);

// Never fails: what cannot be believed is off or marked invalid.
AutomationSettings DecodeSettings(const StoredSettings& stored, unsigned& problems);

// The problems' names for a trace line ("bad line, lines dropped").
std::string DescribeStoredProblems(unsigned problems);

} // namespace automation
