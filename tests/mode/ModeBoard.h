#pragma once
// The mode engine's process-wide adapters on this test's virtual board: a
// board of the previous generation (overclock checks reach the power-gear
// library) with the advanced power gear and directly addressed fan chip.

#include "engine/ModeRequest.h"
#include "engine/ModeTuning.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <optional>
#include <string>

namespace modetest {

// Counts tray refreshes; which thread made them is kept too.
class RefreshCounter final : public ModeChangeObserver {
public:
    void RefreshIcon() override
    {
        lastThread = GetCurrentThreadId();
        ++count;
    }
    std::atomic<int> count{0};
    std::atomic<DWORD> lastThread{0};
};

uint32_t BoardValue(uint32_t id);
void SetBoardValue(uint32_t id, uint32_t value);
void SetKnob(const std::string& name, const std::string& value);
std::optional<std::string> Knob(const std::string& name);
std::optional<DWORD> LastMode();

// Stores a mode's idle time-out, spin-down time and fan choice.
void StoreExtras(int modeIndex, uint32_t idleTimeout, uint32_t spinDown, uint32_t fan);

// Every test starts with no change running, the board's own fan control on,
// no overclock, no level delay, no stored last mode and a plugged counter.
class ModeBoardTest : public testing::Test {
protected:
    static void SetUpTestSuite();
    void SetUp() override;
    void TearDown() override;

    RefreshCounter refreshes;
};

} // namespace modetest
