// The power-gear adapter over the real Tamsel.dll: support levels, level
// changes with their pre- and post-steps, failure notices and assertions.

#include "kelp/vantor/BiosItems.h"
#include "tests/board/support/BoardTestSupport.h"
#include "tests/gear/GearRig.h"
#include "tests/pipes/PipeTestSupport.h"

#include <gmock/gmock.h>

#include <atomic>
#include <thread>
#include <vector>

using namespace geartest;
using kelp::BiosItemId::kGearCapability;
using kelp::BiosItemId::kGearEnable;
using kelp::BiosItemId::kGearLevel;
using testing::ElementsAre;

namespace {

constexpr int kAuto = 0x8000;

void SetCapability(uint32_t value)
{
    SetBoardValue(kGearCapability, value);
}

void SetKnob(const char* name, const std::string& value)
{
    ChangeBoard([&](vboard::BoardState& state) { state.knobs[name] = value; });
}

// The distinct values the gear-level item takes while `change` runs.
std::vector<uint32_t> LevelsSeenDuring(const std::function<void()>& change)
{
    std::atomic<bool> done{false};
    std::vector<uint32_t> seen{BoardValue(kGearLevel)};
    std::thread worker([&] {
        change();
        done = true;
    });
    while (!done) {
        const uint32_t level = BoardValue(kGearLevel);
        if (level != seen.back())
            seen.push_back(level);
        Sleep(50);
    }
    worker.join();
    if (BoardValue(kGearLevel) != seen.back())
        seen.push_back(BoardValue(kGearLevel));
    return seen;
}

using PowerGearSupport = GearTest;

TEST_F(PowerGearSupport, LevelFollowsCapabilityBits)
{
    struct Case {
        uint32_t capability;
        int level;
    };
    for (Case c : {Case{8, 4}, Case{6, 4}, Case{4, 4}, Case{3, 3}, Case{2, 3}, Case{1, 2}, Case{0, 1}}) {
        SetCapability(c.capability);
        GearRig rig;
        EXPECT_EQ(rig.dll->SupportLevel(), c.level) << "capability " << c.capability;
        EXPECT_EQ(rig.gear->IsAdvancedGear(), c.level >= 3);
        EXPECT_EQ(rig.gear->IsLevelFour(), c.level == 4);
        EXPECT_EQ(rig.gear->IsLevelTwo(), c.level == 2);
        EXPECT_EQ(rig.gear->IsLevelFourEight(), c.capability == 8);
    }
}

TEST_F(PowerGearSupport, MissingCapabilityItemOrSupportGiveLowLevels)
{
    LoadBoard("gear-level1");
    EXPECT_EQ(GearRig().dll->SupportLevel(), 1);
    LoadBoard("gear-level0");
    GearRig unsupported;
    EXPECT_EQ(unsupported.dll->SupportLevel(), 0);
    EXPECT_FALSE(unsupported.gear->IsSupported());
    LoadBoard("gear-level3");
    EXPECT_EQ(GearRig().dll->SupportLevel(), 3);
}

TEST_F(PowerGearSupport, BasicBoardSetsNoThresholdsNorLastModeAndGuessesTheCurrent)
{
    LoadBoard("gear-level1");
    GearRig rig;
    const uint32_t before = BoardValue(kelp::BiosItemId::kAutoThreshold1 + 2);
    rig.store->Store(std::vector<uint32_t>{7, 8, 9}.data(), 3);
    EXPECT_TRUE(rig.gear->SetLevel(kAuto));
    EXPECT_EQ(BoardValue(kGearLevel), uint32_t(kAuto));
    EXPECT_EQ(BoardValue(kelp::BiosItemId::kAutoThreshold1 + 2), before);
    EXPECT_FALSE(ReadRootDword("LastMode"));
    for (int i = 0; i < 20; ++i) {
        const int current = rig.gear->GetIcpu();
        EXPECT_GE(current, 0);
        EXPECT_LT(current, 30);
    }
}

TEST_F(PowerGearSupport, AdvancedBoardReadsTheCurrentAndRecordsLastMode)
{
    SetBoardValue(kelp::BiosItemId::kCpuCurrent, 37);
    GearRig rig;
    EXPECT_EQ(rig.gear->GetIcpu(), 37);
    EXPECT_TRUE(rig.gear->SetLevel(1));
    EXPECT_EQ(ReadRootDword("LastMode"), 1u);
    EXPECT_TRUE(rig.gear->SetLevelItem(0x4000));
    EXPECT_EQ(BoardValue(kGearLevel), 0x4000u);
    EXPECT_EQ(ReadRootDword("LastMode"), 1u) << "only SetLevel records the mode";
}

using PowerGearLevels = GearTest;

TEST_F(PowerGearLevels, LeavingAutoPassesThroughHighPerformanceOnlyOnLowBoards)
{
    const std::vector<uint32_t> viaZero{kAuto, 0, 3}, direct{kAuto, 3};
    for (const char* profile : {"gear-level1", "gear-level2", "gear-level3", "current"}) {
        const bool low = std::string(profile).starts_with("gear-level") && profile[10] < '3';
        LoadBoard(profile, [](vboard::BoardState& state) {
            state.Find(kGearLevel)->value = kAuto;
            state.knobs["tamsel_set_level_delay_ms"] = "400";
        });
        GearRig rig;
        EXPECT_EQ(LevelsSeenDuring([&] { EXPECT_TRUE(rig.gear->SetLevel(3)); }), low ? viaZero : direct) << profile;
        SetBoardValue(kGearLevel, kAuto);
        EXPECT_EQ(LevelsSeenDuring([&] { EXPECT_TRUE(rig.gear->SetLevelItem(3)); }), low ? viaZero : direct)
            << profile;
    }
}

TEST_F(PowerGearLevels, EngineIsSwitchedOnForGearsAndOffForHighPerformanceBelowLevelFour)
{
    LoadBoard("gear-level3");
    GearRig rig;
    ASSERT_EQ(BoardValue(kGearEnable), 0u);
    rig.gear->SetLevel(1);
    EXPECT_EQ(BoardValue(kGearEnable), 1u);
    rig.gear->SetLevel(0);
    EXPECT_EQ(BoardValue(kGearEnable), 0u);

    LoadBoard("current");
    GearRig four;
    four.gear->SetLevel(1);
    four.gear->SetLevel(0);
    EXPECT_EQ(BoardValue(kGearEnable), 1u) << "level-four boards keep the engine on";
}

using PowerGearFailures = GearTest;

TEST_F(PowerGearFailures, MissingLibraryIsReportedWithItsPath)
{
    boardtest::MessageBoxCatcher boxes;
    kelp::PowerGearDll missing("NoSuchFolder");
    const std::string path = missing.GetLibraryPath();
    EXPECT_EQ(path, boardtest::RuntimeFolder() + "NoSuchFolder\\Tamsel.dll");
    EXPECT_FALSE(missing.Open());
    EXPECT_FALSE(missing.IsSupported());
    uint32_t value = 0;
    EXPECT_FALSE(missing.GetItem(kGearLevel, value)) << "calls without a library fail safely";
    ASSERT_EQ(boxes.Messages().size(), 1u);
    EXPECT_EQ(boxes.Messages()[0].caption, "LoadLibrary Error");
    EXPECT_EQ(boxes.Messages()[0].text, "Can not find " + path);
}

TEST_F(PowerGearFailures, SubFolderCopyIsLoaded)
{
    kelp::PowerGearDll sub("Tamsel");
    EXPECT_EQ(sub.GetLibraryPath(), boardtest::RuntimeFolder() + "Tamsel\\Tamsel.dll");
    EXPECT_TRUE(sub.Open());
    EXPECT_EQ(sub.SupportLevel(), 4);
}

TEST_F(PowerGearFailures, ItemFailuresShowTheirNotices)
{
    LoadBoard("gear-level3", [](vboard::BoardState& state) {
        state.items.erase(kGearEnable);
        state.items.erase(kelp::BiosItemId::kAutoThreshold1 + 1);
        state.items.erase(kelp::BiosItemId::kCpuCurrent);
    });
    GearRig rig;
    boardtest::MessageBoxCatcher boxes;
    EXPECT_FALSE(rig.dll->SetThreshold(5, 6, 7));
    EXPECT_EQ(BoardValue(kelp::BiosItemId::kAutoThreshold1), 5u);
    EXPECT_EQ(BoardValue(kelp::BiosItemId::kAutoThreshold1 + 2), 7u) << "later writes go on";
    rig.gear->SetLevel(1);
    EXPECT_EQ(rig.gear->GetIcpu(), 0);
    std::vector<std::string> texts;
    for (const auto& box : boxes.Messages())
        texts.push_back(box.caption + "|" + box.text);
    EXPECT_THAT(texts, ElementsAre("|[PowerGearDll::SetThreshold] 0x0E0A0015 Failed",
                                   "|[PowerGearDll::IsTamselOpen] Failed", "|[PowerGearDll::EnableTamsel] Failed",
                                   "PowerGear|Can not get ICPU"));
}

TEST_F(PowerGearFailures, SixThresholdWriteFailureNamesTheItem)
{
    GearRig rig;
    ChangeBoard([](vboard::BoardState& state) { state.Find(kelp::BiosItemId::kAutoThreshold5)->readOnly = true; });
    boardtest::MessageBoxCatcher boxes;
    EXPECT_TRUE(rig.gear->SetLevel(kAuto));
    ASSERT_EQ(boxes.Messages().size(), 1u);
    EXPECT_EQ(boxes.Messages()[0].text, "[PowerGearDll::SetThreshold] e0a0018 Failed");
    EXPECT_EQ(BoardValue(kGearLevel), uint32_t(kAuto));
}

using PowerGearAssertions = GearTest;

TEST_F(PowerGearAssertions, LevelAccessNeedsSupport)
{
    LoadBoard("gear-level0");
    GearRig rig;
    const char* expected = "Assertion failed: IsSupported\\(\\), file kelp.vantor.Source.PowerGear, line ";
    EXPECT_EXIT(rig.gear->GetLevel(), testing::ExitedWithCode(3), std::string(expected) + "420");
    EXPECT_EXIT(rig.gear->SetLevel(1), testing::ExitedWithCode(3), std::string(expected) + "430");
    EXPECT_EXIT(rig.gear->SetLevelItem(1), testing::ExitedWithCode(3), std::string(expected) + "444");
}

TEST_F(PowerGearAssertions, InstanceNeedsTheImplementationIndex)
{
    EXPECT_EXIT(kelp::PowerGear::Instance(), testing::ExitedWithCode(3),
                "Assertion failed: m_impIndex != -1, file kelp.vantor.Source.PowerGear, line 1687");
}

TEST_F(PowerGearAssertions, LibraryWithoutTheExportsIsFatal)
{
    const std::string folder = boardtest::RuntimeFolder() + "GearTestBroken";
    CreateDirectoryA(folder.c_str(), nullptr);
    ASSERT_TRUE(CopyFileA((boardtest::RuntimeFolder() + "VTACPI.DLL").c_str(), (folder + "\\Tamsel.dll").c_str(),
                          FALSE));
    kelp::PowerGearDll broken("GearTestBroken");
    EXPECT_EXIT(broken.Open(), testing::ExitedWithCode(3),
                "Assertion failed: m_pTamselInit != NULL && m_pGetPowerGearLevel != NULL && .* && "
                "m_pIsVentryThreeSupported != NULL && m_pGetNumberItemInformation != NULL, file "
                "kelp.vantor.Source.PowerGear, line 872");
}

using PowerGearOverclock = GearTest;

TEST_F(PowerGearOverclock, LibraryAnswerOrServiceFallback)
{
    GearRig rig;
    SetBoardValue(0x09080000, 0);
    EXPECT_TRUE(rig.gear->CheckOc()) << "the library reports the overclocked BIOS";
    SetBoardValue(0x09080000, 1);
    EXPECT_FALSE(rig.gear->CheckOc()) << "no service to ask: not overclocked";

    SetKnob("tamsel_check_oc_fails", "1");
    pipetest::PeerProcess service("syscontrol.exe", "");
    ASSERT_TRUE(pipetest::WaitForPipe("VANTOR SYSTEM CONTROL PIPE", 10000));
    EXPECT_FALSE(rig.gear->CheckOc()) << "service: state 1";
    SetBoardValue(0x09080000, 3);
    EXPECT_TRUE(rig.gear->CheckOc()) << "service: state 3";
}

} // namespace
