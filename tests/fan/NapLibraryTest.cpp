// The nap library adapter over Dozla.dll and mutevol.dll.

#include "board/core/BoardStore.h"
#include "kelp/vantor/BiosInterface.h"
#include "kelp/vantor/BiosItems.h"
#include "hw/VentryLibForDozla.h"
#include "kelp/vantor/DozlaFans.h"
#include "kelp/vantor/DozlaLib.h"
#include "kelp/vantor/DozlaLibDll.h"
#include "tests/board/support/BoardTestSupport.h"
#include "tests/fan/FanTestBoard.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {
using namespace kelp::BiosItemId;

std::string Knob(const char* name)
{
    vboard::BoardState state;
    EXPECT_TRUE(vboard::BoardStore().Read(state));
    return state.Knob(name).value_or("");
}

uint32_t Item(uint32_t id)
{
    uint32_t value = 0xDEAD;
    EXPECT_TRUE(kelp::GetItem(id, value));
    return value;
}

// The first `count` thresholds, the others removed. Only the values go: the
// key has sub-keys once the program has run in this prefix, and then it
// cannot be deleted.
void StoreThresholds(int count)
{
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, "Software\\VANTOR\\Tamsel3", 0, nullptr, 0, KEY_WRITE, nullptr,
                              &key, nullptr),
              ERROR_SUCCESS);
    const char* names[] = {"Threshold1", "Threshold2", "Threshold3"};
    for (int i = 0; i < 3; ++i) {
        DWORD value = DWORD(10 * (i + 1));
        if (i < count)
            RegSetValueExA(key, names[i], 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
        else
            RegDeleteValueA(key, names[i]);
    }
    RegCloseKey(key);
}

// Writes of the item fail from now on (the firmware keeps it read-only).
void RefuseWrites(uint32_t id)
{
    ASSERT_TRUE(vboard::BoardStore().Update([id](vboard::BoardState& state) {
        state.Find(id)->readOnly = true;
        return true;
    }));
}

// How often the text was shown (all with an empty caption).
size_t Shown(boardtest::MessageBoxCatcher& boxes, const std::string& text)
{
    size_t count = 0;
    for (const auto& box : boxes.Messages())
        if (box.text == text) {
            EXPECT_EQ(box.caption, "");
            ++count;
        }
    return count;
}

// Runs one NapWorker case of this test executable from a folder of its own
// holding `dozla` as Dozla.dll.
boardtest::ProcessResult RunInBareFolder(const char* dozla, const char* name, const char* worker)
{
    std::string runtime = boardtest::RuntimeFolder();
    std::string sub = std::string("nap-") + name + "\\";
    CreateDirectoryA((runtime + sub).c_str(), nullptr);
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, sizeof self);
    CopyFileA(self, (runtime + sub + "nap-worker.exe").c_str(), FALSE);
    CopyFileA((runtime + dozla).c_str(), (runtime + sub + "Dozla.dll").c_str(), FALSE);
    return boardtest::Run(sub + "nap-worker.exe", std::string("--gtest_also_run_disabled_tests --gtest_filter=NapWorker.DISABLED_") + worker);
}

// Run by the child process only: loads whatever Dozla.dll its folder holds.
TEST(NapWorker, DISABLED_Load)
{
    kelp::DozlaLibDll nap(5);
}

// Run by the child process only: a Windows 6 start in a folder without
// the mute library.
TEST(NapWorker, DISABLED_LoadSix)
{
    boardtest::MessageBoxCatcher boxes;
    kelp::DozlaLibDll nap(6);
    std::printf("loaded=%d\n", nap.IsLoaded() ? 1 : 0);
    for (const auto& box : boxes.Messages())
        std::printf("box: %s | %s\n", box.caption.c_str(), box.text.c_str());
}

// Records which fan step the nap library took.
class RecordingNapFans : public kelp::DozlaFans {
public:
    void ApplyNapFans(uint32_t level) override { steps.push_back(level); }
    void RestoreFans() override { steps.push_back(kRestored); }

    static constexpr uint32_t kRestored = 0xFFFFFFFF;
    std::vector<uint32_t> steps;
};

class NapLibraryTest : public testing::Test {
protected:
    void SetUp() override { fantest::LoadBoard("current"); }
};

TEST_F(NapLibraryTest, VersionFiveMutesThroughTheNapLibraryAlone)
{
    kelp::DozlaLibDll nap(5);
    ASSERT_TRUE(nap.IsLoaded());
    EXPECT_EQ(Knob("dozla_initialised"), "1");
    nap.Mute();
    EXPECT_EQ(Knob("dozla_sound"), "0");
    nap.Unmute();
    EXPECT_EQ(Knob("dozla_sound"), "1");
    EXPECT_EQ(Knob("mutevol_mute"), "");
    EXPECT_EQ(GetModuleHandleA("mutevol.dll"), nullptr);
}

TEST_F(NapLibraryTest, VersionSixAndLaterMuteThroughTheMuteLibrary)
{
    // 10 is what Windows 8.1, 10 and 11 report to a program that names them.
    for (unsigned version : {6u, 10u}) {
        SCOPED_TRACE(version);
        kelp::DozlaLibDll nap(version);
        nap.Mute();
        EXPECT_EQ(Knob("mutevol_mute"), "1");
        nap.Unmute();
        EXPECT_EQ(Knob("mutevol_mute"), "0");
        EXPECT_EQ(Knob("dozla_sound"), "");
        nap.ScreenOff();
        EXPECT_EQ(Knob("dozla_screen"), "0");
        nap.ScreenOn();
        EXPECT_EQ(Knob("dozla_screen"), "1");
    }
}

TEST_F(NapLibraryTest, MissingExportsFailTheCompletenessAssertion)
{
    // Any other library under the nap library's name lacks its exports.
    boardtest::ProcessResult result = RunInBareFolder("mutevol.dll", "exports", "Load");
    EXPECT_EQ(result.exitCode, 3u);
    EXPECT_NE(result.err.find("Assertion failed: m_pDozlaInit != 0 && m_pDozlaIsSupport != 0"), std::string::npos)
        << result.err;
    EXPECT_NE(result.err.find(", file kelp\\vantor\\Source\\DozlaLib, line 622"), std::string::npos) << result.err;
}

TEST_F(NapLibraryTest, VersionSixWithoutTheMuteLibraryReportsAndNeverInitialises)
{
    boardtest::ProcessResult result = RunInBareFolder("Dozla.dll", "no-mute", "LoadSix");
    ASSERT_EQ(result.exitCode, 0u) << result.err;
    EXPECT_NE(result.out.find("loaded=1"), std::string::npos) << result.out; // the nap library itself loaded
    EXPECT_EQ(Knob("dozla_initialised"), "");
    std::string box = "box: LoadLibrary Error | Can not load " + boardtest::RuntimeFolder() + "nap-no-mute\\mutevol.dll\n";
    EXPECT_NE(result.out.find(box), std::string::npos) << result.out;
}

TEST_F(NapLibraryTest, FanStepFollowsTheLevelOnlyWithThirdGenerationFans)
{
    kelp::DozlaLibDll nap(5);
    ASSERT_TRUE(nap.IsAdvancedGear());
    RecordingNapFans fans;
    for (uint32_t level : {1u, 2u, 255u, 0x8000u, 0u, 0x4000u})
        nap.SetLevel(level);
    EXPECT_EQ(fans.steps, (std::vector<uint32_t>{1, 2, 255, 0x8000, RecordingNapFans::kRestored,
                                                 RecordingNapFans::kRestored}));

    fans.steps.clear();
    fantest::SetKnob("dozla_ventry_three", "0");
    kelp::DozlaLibDll older(5);
    older.SetLevel(1);
    EXPECT_TRUE(fans.steps.empty());
}

// The real fan library behind the nap library: with the board's fan
// control off, a nap runs the extra curve and stops or slows the chassis
// fan; waking gives both back.
TEST_F(NapLibraryTest, NapFansReachTheChip)
{
    fantest::SetItemValue(kCpuFanControl, 0);
    fantest::SetItemValue(kChassisFanControl, 0);
    kelp::DozlaLib nap(std::make_unique<kelp::DozlaLibDll>(5));
    kelp::VentryLibForDozla fans(nap);
    ASSERT_EQ(fans.GetCpuFanMode(), 0xFF);

    nap.Imp().SetLevel(2);
    kelp::FanCurve extra = fans.GetProfileCurve(kelp::AbsVentryLib::kExtraCurve);
    EXPECT_EQ(fantest::Register(0, 0x6F), extra[0]);
    EXPECT_EQ(fantest::Register(0, 0x03), 0) << "chassis fan stopped";

    nap.Imp().SetLevel(1);
    EXPECT_EQ(fantest::Register(0, 0x06), fans.GetCruisePair(1).target) << "chassis fan cruising";

    nap.Imp().SetLevel(0);
    EXPECT_EQ(fantest::Register(0, 0x03), 0xFF) << "chassis fan back to the board";
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(fantest::Register(0, 0x6F + i), 0) << "CPU curve reset, register " << i;
}

TEST_F(NapLibraryTest, AdvancedGearLevelsCarryTheAutoThresholds)
{
    kelp::DozlaLibDll nap(5);
    ASSERT_TRUE(nap.IsAdvancedGear());
    StoreThresholds(2); // Threshold3 missing
    EXPECT_TRUE(nap.SetLevel(0x8000));
    EXPECT_EQ(Item(kAutoThreshold1), 0u);
    EXPECT_EQ(Item(kAutoThreshold1 + 1), 0u);
    EXPECT_EQ(Item(kAutoThreshold1 + 2), 255u);
    EXPECT_EQ(Item(kGearLevel), 0x8000u);

    StoreThresholds(3);
    EXPECT_TRUE(nap.SetLevel(0x8000));
    EXPECT_EQ(Item(kAutoThreshold1), 10u);
    EXPECT_EQ(Item(kAutoThreshold1 + 1), 20u);
    EXPECT_EQ(Item(kAutoThreshold1 + 2), 30u);
    StoreThresholds(0);

    // A board whose gear capability is below 2 has no advanced gear.
    fantest::SetItemValue(kGearCapability, 1);
    EXPECT_FALSE(nap.IsAdvancedGear());
}

// Below level four the gear engine is switched on before every level, and
// leaving for level 0 with the engine on writes the neutral thresholds once
// more after the level; level four needs neither.
TEST_F(NapLibraryTest, GearStepsDependOnLevelFour)
{
    fantest::SetItemValue(kGearCapability, 3);
    kelp::DozlaLibDll nap(5);
    ASSERT_TRUE(nap.IsAdvancedGear());
    ASSERT_FALSE(nap.IsLevelFour());
    fantest::SetItemValue(kGearEnable, 0);
    EXPECT_TRUE(nap.SetLevel(1));
    EXPECT_EQ(Item(kGearEnable), 1u) << "engine switched on";
    EXPECT_EQ(Item(kGearLevel), 1u);

    // Each writing of the thresholds shows up as one failure message.
    RefuseWrites(kAutoThreshold1);
    const std::string failed = "[PowerGearDll::SetThreshold] 0x0E0A0014 Failed";
    {
        boardtest::MessageBoxCatcher boxes;
        nap.SetLevel(0);
        EXPECT_EQ(Shown(boxes, failed), 2u) << "before and after level 0";
        nap.SetLevel(2);
        EXPECT_EQ(Shown(boxes, failed), 3u) << "only before level 2";
    }

    fantest::SetItemValue(kGearCapability, 8);
    ASSERT_TRUE(nap.IsLevelFour());
    fantest::SetItemValue(kGearEnable, 0);
    {
        boardtest::MessageBoxCatcher boxes;
        nap.SetLevel(0);
        EXPECT_EQ(Shown(boxes, failed), 1u) << "level four: no second writing";
    }
    EXPECT_EQ(Item(kGearEnable), 0u) << "level four leaves the engine alone";
    EXPECT_EQ(Item(kGearLevel), 0u);
}

TEST_F(NapLibraryTest, MissingGearEngineIsReported)
{
    fantest::SetItemValue(kGearCapability, 3);
    fantest::RemoveItem(kGearEnable);
    kelp::DozlaLibDll nap(5);
    boardtest::MessageBoxCatcher boxes;
    nap.SetLevel(0);
    EXPECT_EQ(Shown(boxes, "[PowerGearDll::EnableTamsel] Failed"), 1u);
    EXPECT_EQ(Shown(boxes, "[PowerGearDll::IsTamselOpen] Failed"), 1u);
    EXPECT_EQ(boxes.Messages().size(), 2u);
}

// A nap goes through the gear level where the board has the advanced gear,
// else through the library's own sleep with the nap fans; waking undoes it.
TEST_F(NapLibraryTest, NapAndWakeOnBothKindsOfBoard)
{
    RecordingNapFans fans;
    fantest::SetItemValue(kGearCapability, 3);
    {
        kelp::DozlaLibDll nap(5);
        fantest::SetItemValue(kGearLevel, 1);
        EXPECT_FALSE(nap.IsSleeping());
        nap.EnterNap();
        EXPECT_TRUE(nap.IsSleeping());
        EXPECT_EQ(Item(kGearLevel), 255u);
        nap.LeaveNap();
        EXPECT_FALSE(nap.IsSleeping());
        EXPECT_EQ(Item(kGearLevel), 0u);
        EXPECT_EQ(Knob("dozla_sleeping"), "") << "the library's own sleep is not used";
        EXPECT_EQ(fans.steps, (std::vector<uint32_t>{255, RecordingNapFans::kRestored}));
    }

    fans.steps.clear();
    fantest::SetItemValue(kGearCapability, 1);
    fantest::SetItemValue(kGearLevel, 1);
    kelp::DozlaLibDll nap(5);
    ASSERT_FALSE(nap.IsAdvancedGear());
    nap.EnterNap();
    EXPECT_TRUE(nap.IsSleeping());
    EXPECT_EQ(Knob("dozla_sleeping"), "1");
    EXPECT_EQ(Item(kGearLevel), 1u);
    EXPECT_EQ(fans.steps, (std::vector<uint32_t>{255}));
    nap.LeaveNap();
    EXPECT_FALSE(nap.IsSleeping());
    EXPECT_EQ(Knob("dozla_sleeping"), "0");
    EXPECT_EQ(fans.steps, (std::vector<uint32_t>{255, RecordingNapFans::kRestored}));

    fans.steps.clear();
    fantest::SetKnob("dozla_ventry_three", "0");
    kelp::DozlaLibDll older(5);
    older.EnterNap();
    older.LeaveNap();
    EXPECT_TRUE(fans.steps.empty()) << "no third-generation fans, no fan steps";
}

} // namespace
