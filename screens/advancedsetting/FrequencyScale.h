#pragma once
// The CPU frequency slider of each tab: which BIOS item it stands for, its
// range of positions and how a position reads ("+5%", "-10 MHz").

#include <cstdint>
#include <optional>
#include <string>

namespace advancedsetting {

// The value range the power-gear library reports for a number item:
// value = base + n * step for n below steps.
struct ItemRange {
    int base = 0;
    int step = 0;
    int steps = 0;
};

struct FrequencyScale {
    int min = 0;
    int max = 0;
    int step = 1;   // shown per position
    int offset = 0; // shown at position 0
    bool positive = true;

    bool operator==(const FrequencyScale&) const = default;
};

// The platform whose frequency items count from 0 (phase group 1) stores
// the position itself; the others store position + 1.
inline constexpr int kZeroBasedPhaseGroup = 1;

// Turbo's bus-frequency item, or the one the saving modes share.
uint32_t FrequencyItem(int tab, int phaseGroup);
// Without the item's range (or with one that gives no positions to choose
// from) the slider offers 40 positions shown as 1 ... 40.
FrequencyScale CpuFrequencyScale(int tab, int phaseGroup, const std::optional<ItemRange>& range);
std::string FrequencyText(const FrequencyScale& scale, int position, const std::string& unit);
// The graphics row's text: a frequency in whole MHz, or the firmware's own
// name of a setting that is no frequency.
std::string GraphicsFrequencyText(const std::string& settingText);
// " MHz" on the zero-based platform, else "%".
const char* FrequencyUnit(int phaseGroup);

} // namespace advancedsetting
