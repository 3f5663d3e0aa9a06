#include "screens/geardial/ModeCaption.h"

#include "engine/ModeModel.h"
#include "screens/geardial/DialModes.h"

namespace geardial {

namespace {

std::string GearName(int number, const Translator& translate)
{
    return translate("GearNameL" + std::to_string(number));
}

} // namespace

std::string ModeCaption(int level, int runningGear, const Translator& translate)
{
    if (level != GearLevel::Auto)
        return GearName(DialIndexOf(level), translate);
    const int gear = runningGear >= 0 && runningGear <= 3 ? runningGear : 1;
    return GearName(0, translate) + ":" + GearName(gear + 1, translate);
}

} // namespace geardial
