#include "engine/ModeModel.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Mode {
    int level;
    int index;
    const char* suffix;
    const char* nameKey;
    const char* hintKey;
};

constexpr Mode kModes[] = {
    {GearLevel::Turbo, 0, "_Turbo", "GearNameL1", "HintL1"},
    {GearLevel::HighPerformance, 1, "_Normal", "GearNameL2", "HintL2"},
    {GearLevel::MediumSaving, 2, "_Medium", "GearNameL3", "HintL3"},
    {GearLevel::MaxSaving, 3, "_Low", "GearNameL4", "HintL4"},
    {GearLevel::Auto, 4, "_Auto", "GearNameL0", "HintL0"},
};

// Levels that are no mode: the "none" marker, neighbours of real codes and
// values that only look like flags.
constexpr int kUnknownLevels[] = {7, 3, -1, GearLevel::Unknown, 0x4001, 0x7FFF, 0x8001, static_cast<int>(0x80000000u)};

int autoGear = 0;
int ReportAutoGear() { return autoGear; }

class AutoGearSourceTest : public testing::Test {
protected:
    void TearDown() override { PlugAutoGearSource(nullptr); }
};

} // namespace

TEST(ModeModelTest, KnownModesConvertBothWays)
{
    for (const Mode& mode : kModes) {
        SCOPED_TRACE(mode.level);
        EXPECT_TRUE(IsKnownLevel(mode.level));
        EXPECT_EQ(LevelToIndex(mode.level), mode.index);
        EXPECT_EQ(IndexToLevel(mode.index), mode.index == 4 ? GearLevel::HighPerformance : mode.level);
        EXPECT_STREQ(IndexToSuffix(mode.index), mode.suffix);
        EXPECT_STREQ(LevelToNameKey(mode.level), mode.nameKey);
        EXPECT_STREQ(IndexToHintKey(mode.index), mode.hintKey);
    }
    EXPECT_EQ(LevelToIndexNoAuto(GearLevel::Auto), 1);
    EXPECT_EQ(LevelToIndexNoAuto(GearLevel::Turbo), 0);
    EXPECT_EQ(LevelToIndexNoAuto(GearLevel::MaxSaving), 3);
}

TEST(ModeModelTest, UnknownLevelsActAsHighPerformance)
{
    for (int level : kUnknownLevels) {
        SCOPED_TRACE(level);
        EXPECT_FALSE(IsKnownLevel(level));
        EXPECT_EQ(LevelToIndex(level), 1);
        EXPECT_EQ(LevelToIndexNoAuto(level), 1);
        EXPECT_EQ(LevelToSavingIndex(level), 1);
        EXPECT_STREQ(LevelToNameKey(level), "GearNameL2");
    }
}

TEST(ModeModelTest, IndicesOutsideTheModesAreSafe)
{
    for (int index : {-1, 5, 255, 0x4000}) {
        SCOPED_TRACE(index);
        EXPECT_EQ(IndexToLevel(index), GearLevel::HighPerformance);
        EXPECT_STREQ(IndexToSuffix(index), "");
        EXPECT_STREQ(IndexToHintKey(index), "");
    }
}

TEST(ModeModelTest, FixedLevelsHaveTheirOwnSavingIndex)
{
    EXPECT_EQ(LevelToSavingIndex(GearLevel::Turbo), 0);
    EXPECT_EQ(LevelToSavingIndex(GearLevel::HighPerformance), 1);
    EXPECT_EQ(LevelToSavingIndex(GearLevel::MediumSaving), 2);
    EXPECT_EQ(LevelToSavingIndex(GearLevel::MaxSaving), 3);
}

TEST_F(AutoGearSourceTest, AutoSavesAsTheModeItIsRunning)
{
    EXPECT_EQ(LevelToSavingIndex(GearLevel::Auto), 1) << "no source plugged";
    PlugAutoGearSource(ReportAutoGear);
    for (int running : {0, 1, 2, 3}) {
        autoGear = running;
        EXPECT_EQ(LevelToSavingIndex(GearLevel::Auto), running);
    }
    // Only Auto asks the source.
    autoGear = 3;
    EXPECT_EQ(LevelToSavingIndex(GearLevel::HighPerformance), 1);
}

TEST_F(AutoGearSourceTest, ImpossibleAutoGearCountsAsUnreadable)
{
    PlugAutoGearSource(ReportAutoGear);
    for (int running : {-1, 4, 255}) {
        autoGear = running;
        EXPECT_EQ(LevelToSavingIndex(GearLevel::Auto), 1) << running;
    }
}
