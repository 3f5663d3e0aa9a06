// The stored Auto thresholds: persistence, the firmware's reset request and
// when the adapter pushes them into the library around the Auto level.

#include "kelp/vantor/BiosItems.h"
#include "tests/gear/GearRig.h"

#include <gmock/gmock.h>

#include <atomic>
#include <thread>
#include <vector>

using namespace geartest;
using kelp::BiosItemId::kAutoThreshold1;
using kelp::BiosItemId::kGearLevel;
using kelp::BiosItemId::kThresholdReset;
using testing::ElementsAre;
using testing::ElementsAreArray;

namespace {

constexpr int kAuto = 0x8000;

std::vector<uint32_t> BoardThresholds(int count)
{
    std::vector<uint32_t> values;
    for (int i = 0; i < count; ++i)
        values.push_back(BoardValue(kAutoThreshold1 + uint32_t(i)));
    return values;
}

void WriteRegistryThresholds(const std::vector<DWORD>& values)
{
    for (size_t i = 0; i < values.size(); ++i)
        WriteRootDword(("Threshold" + std::to_string(i + 1)).c_str(), values[i]);
}

// Sets Auto on a worker while the library takes 800 ms for the level change
// and returns the thresholds the board held halfway through.
std::vector<uint32_t> ThresholdsDuringAutoChange(kelp::PowerGear& gear, int count)
{
    ChangeBoard([](vboard::BoardState& state) { state.knobs["tamsel_set_level_delay_ms"] = "800"; });
    std::thread change([&] { EXPECT_TRUE(gear.SetLevel(kAuto)); });
    Sleep(400);
    EXPECT_NE(BoardValue(kGearLevel), uint32_t(kAuto)) << "the level change should still be running";
    std::vector<uint32_t> during = BoardThresholds(count);
    change.join();
    EXPECT_EQ(BoardValue(kGearLevel), uint32_t(kAuto));
    return during;
}

using AutoThresholds = GearTest;

TEST_F(AutoThresholds, SixAreWrittenBeforeTheAutoLevel)
{
    GearRig rig;
    ASSERT_EQ(rig.store->Count(), 6u);
    const uint32_t values[] = {11, 13, 17, 9, 13, 17};
    ASSERT_TRUE(rig.gear->SetThresholds(values, 6));
    EXPECT_THAT(ThresholdsDuringAutoChange(*rig.gear, 6), ElementsAreArray(values));
}

TEST_F(AutoThresholds, ThreeAreWrittenAfterTheAutoLevelFromTheRegistry)
{
    LoadBoard("gear-level3");
    GearRig rig;
    ASSERT_EQ(rig.store->Count(), 3u);
    const uint32_t inMemory[] = {1, 2, 3};
    ASSERT_TRUE(rig.store->Store(inMemory, 3));
    WriteRegistryThresholds({20, 30, 40});
    EXPECT_THAT(ThresholdsDuringAutoChange(*rig.gear, 3), ElementsAre(0, 0, 255));
    EXPECT_THAT(BoardThresholds(3), ElementsAre(20, 30, 40));
    EXPECT_THAT(rig.store->Values(), ElementsAre(20, 30, 40));
}

// Calibration stores new thresholds on the main thread while the mode
// worker reloads the store for the Auto level: the new values must reach
// the registry, not the ones the reload brought back.
TEST_F(AutoThresholds, NewThresholdsSurviveAConcurrentReload)
{
    GearRig rig;
    std::atomic<bool> stop{false};
    std::thread reloads([&] {
        while (!stop)
            rig.gear->LoadThresholds();
    });
    int lost = 0;
    for (uint32_t round = 1; round <= 150; ++round) {
        const uint32_t values[] = {round, round + 1, round + 2, round, round + 1, round + 2};
        EXPECT_TRUE(rig.gear->SetThresholds(values, 6));
        lost += ReadRootDword("Threshold1") != DWORD(round);
    }
    stop = true;
    reloads.join();
    EXPECT_EQ(lost, 0) << "rounds whose new thresholds the save lost";
}

TEST_F(AutoThresholds, OtherLevelsPushNothing)
{
    GearRig rig;
    const uint32_t values[] = {11, 13, 17, 9, 13, 17};
    rig.gear->SetThresholds(values, 6);
    rig.gear->SetLevel(2);
    EXPECT_THAT(BoardThresholds(6), ElementsAre(0, 0, 255, 0, 0, 255));
}

using ThresholdPersistence = GearTest;

TEST_F(ThresholdPersistence, SavedValuesReloadValid)
{
    GearRig writer;
    const uint32_t values[] = {4, 5, 6, 3, 5, 6};
    EXPECT_FALSE(writer.gear->LoadThresholds()) << "nothing stored yet";
    ASSERT_TRUE(writer.gear->SetThresholds(values, 6));
    EXPECT_EQ(ReadRootDword("Threshold6"), 6u);

    GearRig reader;
    EXPECT_TRUE(reader.store->IsValid());
    EXPECT_THAT(reader.store->Values(), ElementsAreArray(values));
}

TEST_F(ThresholdPersistence, MissingValueLoadsAsInvalidZeros)
{
    LoadBoard("gear-level3");
    WriteRegistryThresholds({10, 12});
    GearRig rig;
    EXPECT_FALSE(rig.gear->LoadThresholds());
    EXPECT_THAT(rig.store->Values(), ElementsAre(0, 0, 0));
    EXPECT_EQ(ReadRootDword("Threshold1"), 10u) << "an incomplete set is left alone";
}

TEST_F(ThresholdPersistence, ResetRequestDiscardsStoredValuesUntilTheNextSave)
{
    LoadBoard("gear-level3");
    WriteRegistryThresholds({10, 12, 18});
    SetBoardValue(kThresholdReset, 1);
    GearRig rig;
    EXPECT_FALSE(rig.gear->LoadThresholds());
    EXPECT_THAT(rig.store->Values(), ElementsAre(0, 0, 0));
    EXPECT_FALSE(ReadRootDword("Threshold1"));
    EXPECT_FALSE(ReadRootDword("Threshold3"));
    EXPECT_EQ(BoardValue(kThresholdReset), 1u) << "loading alone does not clear the request";

    EXPECT_TRUE(rig.gear->SetThresholds(7, 8, 9));
    EXPECT_EQ(BoardValue(kThresholdReset), 0u);
    EXPECT_TRUE(rig.gear->LoadThresholds());
    EXPECT_THAT(rig.store->Values(), ElementsAre(7, 8, 9));
}

} // namespace
