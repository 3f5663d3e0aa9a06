#include "screens/geardial/LampRules.h"

#include "engine/ModeModel.h"

namespace geardial {

namespace {

constexpr uint32_t kDriveSavingSeconds = 60;

bool SavesPower(int level)
{
    return level == GearLevel::Auto || level == GearLevel::MediumSaving || level == GearLevel::MaxSaving;
}

} // namespace

LampStates EvaluateLamps(int level, const LampFacts& facts)
{
    LampStates lamps;
    lamps.cpu = SavesPower(level);
    lamps.vga = facts.vgaSaving;
    lamps.drive = facts.spinDownTimeout >= kDriveSavingSeconds;
    lamps.fan = facts.fanControlOffered || facts.fan == 1;
    lamps.chip = facts.workstation && SavesPower(level);
    lamps.memory = lamps.chip;
    return lamps;
}

} // namespace geardial
