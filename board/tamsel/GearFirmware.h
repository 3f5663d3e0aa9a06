#pragma once
// The power-gear firmware of the virtual board, working on the shared board
// state: gear levels, the per-mode setting items and the Auto gear
// selection. The gear items and the gear in force are in
// board/core/GearState.h, the CPU current and power sensors in
// board/core/CpuSensors.h.
//
// Items: 0x0B060010 setting mode index, 0x0E0A0014-16 Auto switch-up
// thresholds, 0x0E0A0017-19 (when present) switch-down thresholds.
//
// Knobs ([knobs] of a profile or the state):
//   tamsel_set_level_delay_ms  a level change takes this long (default 0)
//   tamsel_hysteresis          amperes below a threshold before Auto steps down (2)
//   tamsel_tick_ms             firmware period (500)
//   tamsel_supported, tamsel_reboot, tamsel_check_oc_fails and the feature
//   answers (see FeatureKnob in TamselExports.cpp).
// The board's fault knobs fail.read and fail.write (Faults.h) apply to the
// library's item calls as well.
//
// The setting items show the values of the selected setting mode; those of
// the other modes live in the state's [tamsel_modes] section as
// "<item>@<mode index>=<value>", where a profile may give per-mode
// defaults (a mode without an entry starts from the item's default).

#include "board/core/BoardState.h"
#include "board/core/GearState.h"

#include <cstdint>
#include <optional>

namespace tamsel {

using vboard::kGearLevelItem;
using vboard::kLevelAuto;
using vboard::kLevelTurbo;

constexpr uint32_t kSettingModeItem = 0x0B060010;
constexpr uint32_t kFirstThresholdItem = 0x0E0A0014;
constexpr uint32_t kOverclockStateItem = 0x09080000;

// The five gear levels, and any other value up to 255 (which runs as
// High Performance).
bool IsAcceptedLevel(uint32_t level);

// Item writes of the library: the gear level and the setting-mode index
// take their firmware paths, everything else is a plain write.
bool WriteGearItem(vboard::BoardState& state, uint32_t id, uint32_t value);

// The firmware moves the gear by itself: the level is Auto, the saving
// gears are on and the board has the Auto gear and current items.
bool RunsAuto(const vboard::BoardState& state);
// The Auto gear after one firmware period with the processor drawing the
// current it reads now: at most one gear towards the thresholds' choice.
// Nothing while the firmware does not run Auto.
std::optional<uint32_t> NextAutoGear(const vboard::BoardState& state);

// The library's 96-byte item record: identifier @0, name @4 (64 bytes),
// default @68, value @72, base @76, step @80, number of steps @84,
// exponent @88, attributes @92. False for an unknown item.
bool DescribeItem(const vboard::BoardState& state, uint32_t id, unsigned char* record);

// The BIOS runs overclocked: its overclock state is neither 1 nor 2.
bool IsOverclocked(const vboard::BoardState& state);

} // namespace tamsel
