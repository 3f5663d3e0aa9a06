#include "engine/ModeModel.h"

#include "kelp/System/Language.h"

#include <atomic>

namespace {

// Read from the mode-change worker as well as the main thread.
std::atomic<AutoGearSource> autoGearSource{nullptr};

bool IsFixedLevel(int level)
{
    return level == GearLevel::HighPerformance || level == GearLevel::MediumSaving ||
           level == GearLevel::MaxSaving;
}

bool IsValidIndex(int index)
{
    return index >= 0 && index < ModeIndex::Count;
}

} // namespace

bool IsKnownLevel(int level)
{
    return level == GearLevel::Turbo || level == GearLevel::Auto || IsFixedLevel(level);
}

int LevelToIndex(int level)
{
    if (level == GearLevel::Turbo)
        return ModeIndex::Turbo;
    if (level == GearLevel::Auto)
        return ModeIndex::Auto;
    if (level == GearLevel::MediumSaving || level == GearLevel::MaxSaving)
        return level + 1;
    return ModeIndex::HighPerformance;
}

int LevelToIndexNoAuto(int level)
{
    return level == GearLevel::Auto ? ModeIndex::HighPerformance : LevelToIndex(level);
}

int IndexToLevel(int index)
{
    if (index == ModeIndex::Turbo)
        return GearLevel::Turbo;
    if (index >= ModeIndex::HighPerformance && index <= ModeIndex::Low)
        return index - 1;
    return GearLevel::HighPerformance;
}

int LevelToSavingIndex(int level)
{
    if (level == GearLevel::Turbo)
        return ModeIndex::Turbo;
    if (IsFixedLevel(level))
        return level + 1;
    if (level == GearLevel::Auto) {
        const AutoGearSource source = autoGearSource.load();
        const int running = source ? source() : ModeIndex::HighPerformance;
        // The energy factors exist for indices 0-3 only.
        if (running >= ModeIndex::Turbo && running <= ModeIndex::Low)
            return running;
    }
    return ModeIndex::HighPerformance;
}

const char* LevelToNameKey(int level)
{
    switch (level) {
    case GearLevel::Turbo: return LANG_KEY("GearNameL1");
    case GearLevel::Auto: return LANG_KEY("GearNameL0");
    case GearLevel::MediumSaving: return LANG_KEY("GearNameL3");
    case GearLevel::MaxSaving: return LANG_KEY("GearNameL4");
    default: return LANG_KEY("GearNameL2");
    }
}

const char* IndexToHintKey(int index)
{
    static constexpr const char* keys[ModeIndex::Count] = {
        LANG_KEY("HintL1"), LANG_KEY("HintL2"), LANG_KEY("HintL3"), LANG_KEY("HintL4"),
        LANG_KEY("HintL0")};
    return IsValidIndex(index) ? keys[index] : "";
}

const char* IndexToSuffix(int index)
{
    static constexpr const char* suffixes[ModeIndex::Count] = {
        "_Turbo", "_Normal", "_Medium", "_Low", "_Auto"};
    return IsValidIndex(index) ? suffixes[index] : "";
}

void PlugAutoGearSource(AutoGearSource source)
{
    autoGearSource.store(source);
}
