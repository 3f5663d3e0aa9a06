// The gear dial's view of the running program on the virtual board: whose
// settings light the lamps of a mode, which fans count as controlled, and
// the gear that Auto names.

#include "app/MainDialHost.h"
#include "board/core/BoardStore.h"
#include "engine/AdvanceSettings.h"
#include "engine/ModeModel.h"
#include "hw/CpuVentryLibForTamsel.h"
#include "screens/geardial/LampRules.h"
#include "screens/geardial/ModeCaption.h"
#include "tests/board/support/BoardTestSupport.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>

namespace {

const std::string boardState = boardtest::UseOwnBoardState("mainwin-dialhost");

constexpr uint32_t kGearLevelItem = 0x0B060001;
constexpr uint32_t kAutoGearItem = 0x0E060001;
constexpr uint32_t kCpuFanProfileItem = 0x04080011;
constexpr uint32_t kChassisFanProfileItem = 0x04080071;
// What the fan library reads for a fan the board does not control.
constexpr uint32_t kNotControlled = 255;

void ChangeBoard(const std::function<void(vboard::BoardState&)>& change)
{
    ASSERT_TRUE(vboard::BoardStore().Update([&](vboard::BoardState& state) {
        change(state);
        return true;
    }));
}

void SetBoardValue(uint32_t id, uint32_t value)
{
    ChangeBoard([&](vboard::BoardState& state) { state.Find(id)->value = value; });
}

class MainDialHostTest : public testing::Test {
protected:
    // The program's fan library, over the board's items.
    static void SetUpTestSuite() { kelp::CpuVentryLibForTamsel::Instance(); }

    // Only Medium Power Saving spins the disks down and quiets the fan, so
    // Auto's record, which follows the fixed modes, does both too.
    MainDialHostTest()
    {
        AdvanceSettings& settings = AdvanceSettings::Instance();
        for (int index = 0; index < ModeIndex::FixedCount; ++index) {
            settings.GetTuning(index, saved_[index]);
            ModeTuning tuning = saved_[index];
            const bool medium = index == ModeIndex::Medium;
            tuning.SpinDownTimeout = medium ? 1200 : 0;
            tuning.Fan = medium ? 1 : 0;
            settings.SetTuning(index, tuning);
        }
        SetBoardValue(kGearLevelItem, uint32_t(GearLevel::HighPerformance));
    }
    ~MainDialHostTest() override
    {
        for (int index = 0; index < ModeIndex::FixedCount; ++index)
            AdvanceSettings::Instance().SetTuning(index, saved_[index]);
        SetBoardValue(kCpuFanProfileItem, 0);
        SetBoardValue(kChassisFanProfileItem, 0);
        ChangeBoard([](vboard::BoardState& state) { state.knobs.erase("fail.read"); });
    }

    geardial::LampStates Lamps(int level) { return geardial::EvaluateLamps(level, host.LampFactsFor(level)); }

    MainDialHost host{[] {}};

private:
    std::array<ModeTuning, ModeIndex::FixedCount> saved_{};
};

} // namespace

TEST_F(MainDialHostTest, EachModesLampsFollowItsOwnSettings)
{
    EXPECT_TRUE(Lamps(GearLevel::Auto).drive) << "Auto spins the disks down as Medium does";
    EXPECT_TRUE(Lamps(GearLevel::MediumSaving).drive);
    EXPECT_FALSE(Lamps(GearLevel::HighPerformance).drive);
    EXPECT_FALSE(Lamps(GearLevel::MaxSaving).drive);

    // Without fan control only a mode with the quiet fan lights the lamp.
    SetBoardValue(kCpuFanProfileItem, kNotControlled);
    SetBoardValue(kChassisFanProfileItem, kNotControlled);
    EXPECT_TRUE(Lamps(GearLevel::Auto).fan);
    EXPECT_FALSE(Lamps(GearLevel::HighPerformance).fan);
}

TEST_F(MainDialHostTest, EitherControlledFanLightsTheFanLamp)
{
    struct Case {
        uint32_t cpu, chassis;
        bool lit;
    };
    for (const Case& c : {Case{0, kNotControlled, true}, Case{kNotControlled, 0, true},
                          Case{kNotControlled, kNotControlled, false}}) {
        SetBoardValue(kCpuFanProfileItem, c.cpu);
        SetBoardValue(kChassisFanProfileItem, c.chassis);
        EXPECT_EQ(Lamps(GearLevel::HighPerformance).fan, c.lit) << "CPU " << c.cpu << ", chassis " << c.chassis;
    }
}

TEST_F(MainDialHostTest, AutoNamesTheFirmwaresGearAndHighPerformanceWhenItIsUnreadable)
{
    const auto caption = [&] {
        return geardial::ModeCaption(GearLevel::Auto, host.RunningAutoGear(), [](const std::string& key) { return key; });
    };
    SetBoardValue(kAutoGearItem, 3);
    EXPECT_EQ(caption(), "GearNameL0:GearNameL4");
    ChangeBoard([](vboard::BoardState& state) { state.knobs["fail.read"] = "0x0E060001"; });
    EXPECT_EQ(caption(), "GearNameL0:GearNameL2");
}
