// Who holds the mode: the user, then the rules (most performance first),
// then the schedule, then the mode from before; refusals skip a source
// until it ends. A small driver plays the engine: it applies the first
// candidate the "gate" lets through and moves the level as the hardware
// would.

#include "automation/ModeArbiter.h"
#include "engine/ModeModel.h"

#include <gtest/gtest.h>

#include <set>

using namespace automation;

namespace {

class Driver {
public:
    explicit Driver(int level) : level_(level) {}

    // One tick; the source that holds afterwards.
    Source Tick()
    {
        Situation situation;
        situation.currentLevel = level_;
        situation.settled = settled;
        situation.rules = rules;
        situation.window = window;
        situation.windowLevel = windowLevel;
        for (const Candidate& candidate : arbiter.Evaluate(situation)) {
            if (candidate.level != level_ && refusedLevels.count(candidate.level)) {
                arbiter.Refused(candidate);
                ++refusals;
                continue;
            }
            if (candidate.level != level_) {
                level_ = candidate.level;
                ++requests;
            }
            arbiter.Held(candidate);
            break;
        }
        return arbiter.Holder();
    }
    // The user picks a mode on the dial, the tray or a hotkey.
    void UserChooses(int level) { level_ = level; }
    int Level() const { return level_; }

    ModeArbiter arbiter;
    std::vector<RunningRule> rules;
    std::optional<size_t> window;
    int windowLevel = 0;
    bool settled = true;
    std::set<int> refusedLevels;
    int requests = 0;
    int refusals = 0;

private:
    int level_;
};

constexpr Source kRule0{HoldCause::Rule, 0};
constexpr Source kRule1{HoldCause::Rule, 1};
constexpr Source kNight{HoldCause::Schedule, 0};
constexpr Source kNothing{HoldCause::None, 0};
constexpr Source kUser{HoldCause::User, 0};

TEST(ModeArbiter, ARuleHoldsWhileItsProgramRunsAndTheModeFromBeforeReturns)
{
    Driver driver(GearLevel::MediumSaving);
    EXPECT_EQ(driver.Tick(), kNothing);
    EXPECT_EQ(driver.requests, 0);

    driver.rules = {{0, GearLevel::Turbo}};
    EXPECT_EQ(driver.Tick(), kRule0);
    EXPECT_EQ(driver.Level(), GearLevel::Turbo);
    EXPECT_EQ(driver.Tick(), kRule0);
    EXPECT_EQ(driver.requests, 1);  // asked once, not every tick

    driver.rules.clear();
    EXPECT_EQ(driver.Tick(), kNothing);
    EXPECT_EQ(driver.Level(), GearLevel::MediumSaving);
    EXPECT_EQ(driver.requests, 2);
}

TEST(ModeArbiter, TheRuleWithTheMostPerformanceWins)
{
    Driver driver(GearLevel::HighPerformance);
    driver.rules = {{0, GearLevel::MaxSaving}, {1, GearLevel::Auto}, {2, GearLevel::MediumSaving}};
    EXPECT_EQ(driver.Tick(), kRule1);
    EXPECT_EQ(driver.Level(), GearLevel::Auto);

    driver.rules.push_back({3, GearLevel::Turbo});
    EXPECT_EQ(driver.Tick(), (Source{HoldCause::Rule, 3}));
    EXPECT_EQ(driver.Level(), GearLevel::Turbo);

    // The winner ends: the next best takes over, not the mode from before.
    driver.rules.pop_back();
    driver.Tick();
    EXPECT_EQ(driver.Level(), GearLevel::Auto);
}

TEST(ModeArbiter, TheUsersChoiceHoldsUntilTheNextRuleStartsOrEnds)
{
    Driver driver(GearLevel::HighPerformance);
    driver.rules = {{0, GearLevel::Turbo}};
    driver.Tick();
    driver.UserChooses(GearLevel::MediumSaving);
    EXPECT_EQ(driver.Tick(), kUser);
    EXPECT_EQ(driver.Tick(), kUser);
    EXPECT_EQ(driver.Level(), GearLevel::MediumSaving);

    // Another rule starts: the rules hold again.
    driver.rules.push_back({1, GearLevel::MaxSaving});
    EXPECT_EQ(driver.Tick(), kRule0);
    EXPECT_EQ(driver.Level(), GearLevel::Turbo);

    // The user chooses again; when the rules end, the user's mode stays.
    driver.UserChooses(GearLevel::MediumSaving);
    driver.Tick();
    driver.rules.clear();
    EXPECT_EQ(driver.Tick(), kNothing);
    EXPECT_EQ(driver.Level(), GearLevel::MediumSaving);
    EXPECT_EQ(driver.arbiter.ModeFromBefore(), GearLevel::MediumSaving);
}

TEST(ModeArbiter, RulesOutrankTheScheduleWhichOutranksTheModeFromBefore)
{
    Driver driver(GearLevel::HighPerformance);
    driver.window = 0;
    driver.windowLevel = GearLevel::MaxSaving;
    EXPECT_EQ(driver.Tick(), kNight);
    EXPECT_EQ(driver.Level(), GearLevel::MaxSaving);

    driver.rules = {{0, GearLevel::MediumSaving}};  // less performance, still first
    EXPECT_EQ(driver.Tick(), kRule0);
    EXPECT_EQ(driver.Level(), GearLevel::MediumSaving);

    driver.rules.clear();
    EXPECT_EQ(driver.Tick(), kNight);
    EXPECT_EQ(driver.Level(), GearLevel::MaxSaving);

    driver.window.reset();
    EXPECT_EQ(driver.Tick(), kNothing);
    EXPECT_EQ(driver.Level(), GearLevel::HighPerformance);
}

TEST(ModeArbiter, ARefusedModeIsSkippedOnceUntilItsSourceEnds)
{
    Driver driver(GearLevel::MediumSaving);
    driver.refusedLevels = {GearLevel::Turbo};
    driver.window = 4;
    driver.windowLevel = GearLevel::MaxSaving;
    driver.rules = {{0, GearLevel::Turbo}, {1, GearLevel::HighPerformance}};
    // Turbo wins on performance but is refused: High Performance holds.
    EXPECT_EQ(driver.Tick(), kRule1);
    EXPECT_EQ(driver.refusals, 1);
    for (int i = 0; i < 3; ++i)
        driver.Tick();
    EXPECT_EQ(driver.refusals, 1);  // not asked again while it runs

    // The other rule ends: the refused one is still skipped, the schedule holds.
    driver.rules = {{0, GearLevel::Turbo}};
    EXPECT_EQ(driver.Tick(), (Source{HoldCause::Schedule, 4}));
    EXPECT_EQ(driver.refusals, 1);

    // Its program ends and starts again: asked anew (and refused anew).
    driver.rules.clear();
    driver.Tick();
    driver.rules = {{0, GearLevel::Turbo}};
    driver.Tick();
    EXPECT_EQ(driver.refusals, 2);
}

TEST(ModeArbiter, NothingIsDecidedWhileAChangeOrACalibrationRuns)
{
    Driver driver(GearLevel::HighPerformance);
    driver.Tick();
    driver.settled = false;
    driver.rules = {{0, GearLevel::Turbo}};
    driver.UserChooses(GearLevel::Auto);  // a calibration's steps move the level
    driver.Tick();
    EXPECT_EQ(driver.requests, 0);
    EXPECT_EQ(driver.Level(), GearLevel::Auto);

    driver.settled = true;
    driver.UserChooses(GearLevel::HighPerformance);
    EXPECT_EQ(driver.Tick(), kRule0);
    EXPECT_EQ(driver.arbiter.ModeFromBefore(), GearLevel::HighPerformance);
}

TEST(ModeArbiter, WhenEveryModeIsRefusedNothingIsAskedTwice)
{
    Driver driver(GearLevel::HighPerformance);
    driver.Tick();
    driver.rules = {{0, GearLevel::Turbo}};
    driver.Tick();
    // Overclocked from now on: every change is refused.
    driver.refusedLevels = {GearLevel::HighPerformance, GearLevel::Turbo, GearLevel::MediumSaving};
    driver.rules.clear();
    driver.Tick();
    driver.Tick();
    EXPECT_EQ(driver.refusals, 1);
    EXPECT_EQ(driver.Level(), GearLevel::Turbo);
}

TEST(ModeArbiter, ANewSetOfRulesCountsAsANewStart)
{
    Driver driver(GearLevel::HighPerformance);
    driver.rules = {{0, GearLevel::Turbo}};
    driver.Tick();
    driver.UserChooses(GearLevel::MaxSaving);
    EXPECT_EQ(driver.Tick(), kUser);
    driver.arbiter.Reset();
    EXPECT_EQ(driver.Tick(), kRule0);
    EXPECT_EQ(driver.Level(), GearLevel::Turbo);
}

} // namespace
