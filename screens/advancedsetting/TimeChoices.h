#pragma once
// The choices of the disk and nap rows: times from one minute to five
// hours, then "Never". Older systems cannot spin a disk down after one
// minute, so their disk list starts at three minutes.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace advancedsetting {

using Translator = std::function<std::string(const char* key)>;

struct TimeEntry {
    const char* key;  // language key; "%1" in its text stands for number
    int number;
    uint32_t seconds; // 0 for "Never"
};

std::vector<TimeEntry> TimeEntries(bool withOneMinute);
std::vector<std::string> TimeTexts(bool withOneMinute, const Translator& translate);

// The entry that shows a stored time: the longest time not above it, and
// "Never" (the last entry) below the shortest. The stored time is read as a
// signed number, so a negative time is "Never".
int TimeEntryFor(int32_t seconds, bool withOneMinute);
// Seconds of entry `index`; an index past the end is "Never".
uint32_t TimeEntrySeconds(int index, bool withOneMinute);

// The disk list has the one-minute entry on Vista and later systems and
// when the version is unknown (0).
bool DiskListHasOneMinute(unsigned systemMajorVersion);

} // namespace advancedsetting
