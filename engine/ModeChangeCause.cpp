#include "engine/ModeChangeCause.h"

#include <atomic>

namespace {

std::array<std::atomic<uint64_t>, kModeChangeCauseCount> counts;

} // namespace

const char* ModeChangeCauseName(ModeChangeCause cause)
{
    static constexpr const char* kNames[kModeChangeCauseCount] = {
        "user", "tray", "hotkey", "rule", "schedule", "command_line", "policy", "resume",
    };
    const auto index = static_cast<size_t>(cause);
    return index < kModeChangeCauseCount ? kNames[index] : "unknown";
}

void CountModeChange(ModeChangeCause cause)
{
    const auto index = static_cast<size_t>(cause);
    if (index < kModeChangeCauseCount)
        counts[index].fetch_add(1, std::memory_order_relaxed);
}

std::array<uint64_t, kModeChangeCauseCount> ModeChangeCounts()
{
    std::array<uint64_t, kModeChangeCauseCount> snapshot{};
    for (size_t i = 0; i < kModeChangeCauseCount; ++i)
        snapshot[i] = counts[i].load(std::memory_order_relaxed);
    return snapshot;
}
