#pragma once
// The board's power gear as its state records it, and the gear the
// processor runs in because of it. Shared by the power-gear firmware and by
// the sensors, whose readings depend on the gear.
//
// Items: 0x0B060001 gear level, 0x0B060002 gear engine, 0x0B060003
// capability (bits 2-3: a maximum-saving gear exists), 0x0E060001 gear in
// effect under Auto (saving index 0 Turbo, 1 High Performance, 2 Medium,
// 3 Max).

#include "board/core/BoardState.h"

#include <cstdint>

namespace vboard {

constexpr uint32_t kGearLevelItem = 0x0B060001;
constexpr uint32_t kGearEngineItem = 0x0B060002;
constexpr uint32_t kCapabilityItem = 0x0B060003;
constexpr uint32_t kAutoGearItem = 0x0E060001;

constexpr uint32_t kLevelTurbo = 0x4000;
constexpr uint32_t kLevelAuto = 0x8000;

// Saving indexes of the gears.
constexpr unsigned kGearTurbo = 0, kGearHighPerformance = 1, kGearMedium = 2, kGearMax = 3;

// The item's value, or `fallback` when the board lacks the item.
uint32_t ItemValueOr(const BoardState& state, uint32_t id, uint32_t fallback);

bool HasMaxSavingGear(const BoardState& state);
// Boards with the advanced gear run the saving gears only while the gear
// engine is switched on.
bool SavingGearsEnabled(const BoardState& state);
// The saving index (0-3) the board runs at now, Auto resolved.
unsigned GearInForce(const BoardState& state);

} // namespace vboard
