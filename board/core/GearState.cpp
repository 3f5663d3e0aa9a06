#include "board/core/GearState.h"

#include <algorithm>

namespace vboard {

namespace {
constexpr uint32_t kMaxSavingCapabilityBits = 0x0C;
} // namespace

uint32_t ItemValueOr(const BoardState& state, uint32_t id, uint32_t fallback)
{
    const BoardItem* item = state.Find(id);
    return item ? item->value : fallback;
}

bool HasMaxSavingGear(const BoardState& state)
{
    return (ItemValueOr(state, kCapabilityItem, 0) & kMaxSavingCapabilityBits) != 0;
}

bool SavingGearsEnabled(const BoardState& state)
{
    const bool advanced = state.Find(kCapabilityItem) && ItemValueOr(state, kCapabilityItem, 0) >= 2;
    return !advanced || ItemValueOr(state, kGearEngineItem, 1) == 1;
}

unsigned GearInForce(const BoardState& state)
{
    const uint32_t level = ItemValueOr(state, kGearLevelItem, 0);
    if (level == kLevelTurbo)
        return kGearTurbo;
    if (!SavingGearsEnabled(state))
        return kGearHighPerformance;
    switch (level) {
    case 1:
        return kGearMedium;
    case 2:
        return HasMaxSavingGear(state) ? kGearMax : kGearMedium;
    case kLevelAuto:
        return std::min<uint32_t>(ItemValueOr(state, kAutoGearItem, kGearHighPerformance), kGearMax);
    default:
        return kGearHighPerformance;
    }
}

} // namespace vboard
