#include "screens/geardial/DialModes.h"

#include "engine/ModeModel.h"

namespace geardial {

namespace {

struct DialMode {
    int level;
    const char* stem;
    int gearLeft;
};

constexpr DialMode kModes[kModeCount] = {
    {GearLevel::Auto, "auto", 51},
    {GearLevel::Turbo, "turbo", 106},
    {GearLevel::HighPerformance, "normal", 161},
    {GearLevel::MediumSaving, "medium", 214},
    {GearLevel::MaxSaving, "low", 267},
};

const DialMode& ModeAt(int index)
{
    return kModes[index >= 0 && index < kModeCount ? index : kFallbackIndex];
}

} // namespace

int DialIndexOf(int level)
{
    for (int index = 0; index < kModeCount; ++index)
        if (kModes[index].level == level)
            return index;
    return kFallbackIndex;
}

const char* ImageStem(int index)
{
    return ModeAt(index).stem;
}

int GearMarkerLeft(int index)
{
    return ModeAt(index).gearLeft;
}

} // namespace geardial
