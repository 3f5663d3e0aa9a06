#include "engine/ModeModel.h"

#include <gtest/gtest.h>

namespace {

int autoGear = 0;
int ReportAutoGear() { return autoGear; }

} // namespace

TEST(ModeModelTest, KnownModesConvertBothWays)
{
    struct Mode {
        int level, index;
        const char *suffix, *nameKey, *hintKey;
    };
    const Mode modes[] = {
        {0x4000, 0, "_Turbo", "GearNameL1", "HintL1"}, {0, 1, "_Normal", "GearNameL2", "HintL2"},
        {1, 2, "_Medium", "GearNameL3", "HintL3"},     {2, 3, "_Low", "GearNameL4", "HintL4"},
        {0x8000, 4, "_Auto", "GearNameL0", "HintL0"},
    };
    for (const Mode& mode : modes) {
        SCOPED_TRACE(mode.level);
        EXPECT_TRUE(IsKnownLevel(mode.level));
        EXPECT_EQ(LevelToIndex(mode.level), mode.index);
        EXPECT_EQ(LevelToIndexNoAuto(mode.level), mode.index == 4 ? 1 : mode.index);
        EXPECT_EQ(IndexToLevel(mode.index), mode.index == 4 ? 0 : mode.level);
        EXPECT_STREQ(IndexToSuffix(mode.index), mode.suffix);
        EXPECT_STREQ(LevelToNameKey(mode.level), mode.nameKey);
        EXPECT_STREQ(IndexToHintKey(mode.index), mode.hintKey);
        if (mode.index < 4) {
            EXPECT_EQ(LevelToSavingIndex(mode.level), mode.index);
        }
    }
}

TEST(ModeModelTest, UnknownLevelsAndIndicesActAsHighPerformance)
{
    for (int level : {7, 3, -1, 255, 0x4001, 0x8001, static_cast<int>(0x80000000u)}) {
        SCOPED_TRACE(level);
        EXPECT_FALSE(IsKnownLevel(level));
        EXPECT_EQ(LevelToIndex(level), 1);
        EXPECT_EQ(LevelToIndexNoAuto(level), 1);
        EXPECT_EQ(LevelToSavingIndex(level), 1);
        EXPECT_STREQ(LevelToNameKey(level), "GearNameL2");
    }
    for (int index : {-1, 5, 0x4000}) {
        SCOPED_TRACE(index);
        EXPECT_EQ(IndexToLevel(index), 0);
        EXPECT_STREQ(IndexToSuffix(index), "");
        EXPECT_STREQ(IndexToHintKey(index), "");
    }
}

TEST(ModeModelTest, AutoSavesAsTheModeItIsRunning)
{
    EXPECT_EQ(LevelToSavingIndex(0x8000), 1) << "no source plugged";
    PlugAutoGearSource(ReportAutoGear);
    for (int running : {0, 1, 2, 3}) {
        autoGear = running;
        EXPECT_EQ(LevelToSavingIndex(0x8000), running);
    }
    // A reading no factor exists for counts as unreadable.
    for (int running : {-1, 4, 255}) {
        autoGear = running;
        EXPECT_EQ(LevelToSavingIndex(0x8000), 1) << running;
    }
    PlugAutoGearSource(nullptr);
}
