// The monitor's start-up and hardware side: per-mode defaults, programming
// a mode's items, the cached capability answers and the current level.

#include "engine/ModeModel.h"
#include "kelp/vantor/BiosItems.h"
#include "tests/monitor/MonitorRig.h"

#include <gmock/gmock.h>

using namespace geartest;
using namespace monitortest;
using namespace kelp::BiosItemId;

namespace {

void AddModeDefault(vboard::BoardState& state, uint32_t id, int mode, uint32_t value)
{
    char key[32];
    std::snprintf(key, sizeof key, "0x%08X@%d", unsigned(id), mode);
    state.EditSection("tamsel_modes").entries.push_back({key, std::to_string(value), 0});
}

void AddItem(vboard::BoardState& state, uint32_t id)
{
    vboard::BoardItem item;
    item.id = id;
    item.name = "Test Item";
    item.count = 21;
    state.items[id] = item;
}

bool Same(const HardwareDefaults& a, const HardwareDefaults& b)
{
    return a.fsb == b.fsb && a.vCore == b.vCore && a.loadLine == b.loadLine && a.nbVolt == b.nbVolt;
}

using MonitorStart = GearTest;

TEST_F(MonitorStart, ReadsEachTunedModesDefaultsAndSwitchesTheEngineOn)
{
    ChangeBoard([](vboard::BoardState& state) {
        state.Find(kFsbTurbo)->value = 8;
        state.Find(kCoreVoltage)->value = 2;
        AddModeDefault(state, kFsbSaving, 2, 3);
        AddModeDefault(state, kLoadLine, 2, 1);
        AddModeDefault(state, kNbVoltage, 3, 4);
        AddModeDefault(state, kCoreVoltage, 3, 1);
    });
    MonitorRig rig;
    rig.monitor.Start();
    EXPECT_EQ(BoardValue(kGearEnable), 1u);
    EXPECT_TRUE(Same(rig.monitor.GetDefaults(0), {8, 2, 0, 0}));
    EXPECT_TRUE(Same(rig.monitor.GetDefaults(1), {0, 0, 0, 0}));
    EXPECT_TRUE(Same(rig.monitor.GetDefaults(2), {3, 0, 1, 0}));
    EXPECT_TRUE(Same(rig.monitor.GetDefaults(3), {5, 1, 0, 4}));
    EXPECT_TRUE(Same(rig.monitor.GetDefaults(4), {0, 0, 0, 0}));

    ASSERT_NE(rig.monitor.ModeChangeDone(), nullptr);
    EXPECT_EQ(WaitForSingleObject(rig.monitor.ModeChangeDone(), 0), WAIT_OBJECT_0) << "created signalled";
    EXPECT_EQ(WaitForSingleObject(rig.monitor.ModeChangeDone(), 0), DWORD(WAIT_TIMEOUT)) << "auto-reset";
}

TEST_F(MonitorStart, NorthBridgePatchStartsEveryModeFromTheLowestVoltage)
{
    for (DWORD patch : {0, 1}) {
        ChangeBoard([](vboard::BoardState& state) {
            state.Find(kSettingModeIndex)->value = 0;
            state.Find(kNbVoltage)->value = 6;
            state.otherSections.clear();
            AddModeDefault(state, kNbVoltage, 2, 5);
            AddModeDefault(state, kNbVoltage, 3, 4);
        });
        WriteRootDword("NbVoltPatch", patch);
        MonitorRig rig;
        rig.monitor.Start();
        const uint32_t expected[] = {6, 0, 5, 4};
        for (int mode : {0, 2, 3}) {
            const uint32_t nbVolt = patch ? 0 : expected[mode];
            EXPECT_EQ(rig.monitor.GetDefaults(mode).nbVolt, nbVolt) << mode;
            ASSERT_TRUE(rig.gear.gear->SetItem(kSettingModeIndex, uint32_t(mode)));
            EXPECT_EQ(BoardValue(kNbVoltage), nbVolt) << "written back for mode " << mode;
        }
    }
}

using MonitorTuning = GearTest;

TEST_F(MonitorTuning, ProgramsTheModesItemsInOrder)
{
    MonitorRig rig;
    rig.monitor.PlugIntoEngine();
    PluggedModeHardware().ApplyTuning(2, 7, 1, 2, 3);
    EXPECT_EQ(BoardValue(kSettingModeIndex), 2u);
    EXPECT_EQ(BoardValue(kFsbSaving), 7u);
    EXPECT_EQ(BoardValue(kCoreVoltage), 1u);
    EXPECT_EQ(BoardValue(kLoadLine), 2u);
    EXPECT_EQ(BoardValue(kNbVoltage), 3u);

    rig.monitor.ApplyTuning(0, 9, 2, 1, 4);
    EXPECT_EQ(BoardValue(kSettingModeIndex), 0u);
    EXPECT_EQ(BoardValue(kFsbTurbo), 9u);
    EXPECT_EQ(BoardValue(kCoreVoltage), 2u);

    for (int untuned : {1, 4}) {
        rig.monitor.ApplyTuning(untuned, 1, 1, 1, 1);
        EXPECT_EQ(BoardValue(kSettingModeIndex), 0u) << untuned;
        EXPECT_EQ(BoardValue(kLoadLine), 1u) << untuned;
    }
    rig.monitor.ApplyTuning(2, 0, 0, 0, 0);
    rig.monitor.ApplyTuning(0, 0, 0, 0, 0);
    EXPECT_EQ(BoardValue(kFsbTurbo), 0u);
    ASSERT_TRUE(rig.gear.gear->SetItem(kSettingModeIndex, 3));
    EXPECT_EQ(BoardValue(kFsbSaving), 5u) << "mode 3 keeps its own default";
}

TEST_F(MonitorTuning, PhaseControlledBoardsUseTheirOwnBusFrequencyItems)
{
    LoadBoard("phase", [](vboard::BoardState& state) {
        state.Find(kPhaseFsbTurbo)->value = 4;
        AddModeDefault(state, kPhaseFsbSaving, 3, 6);
    });
    MonitorRig rig;
    rig.monitor.Start();
    EXPECT_EQ(rig.monitor.GetDefaults(0).fsb, 4u);
    EXPECT_EQ(rig.monitor.GetDefaults(3).fsb, 6u);
    rig.monitor.ApplyTuning(2, 7, 0, 0, 0);
    EXPECT_EQ(BoardValue(kPhaseFsbSaving), 7u);
}

using MonitorCapabilities = GearTest;

TEST_F(MonitorCapabilities, InterfaceVersionDecidesTheOverclockCheck)
{
    SetBoardValue(0x09080000, 0); // overclocked
    {
        MonitorRig v3;
        EXPECT_TRUE(v3.monitor.IsAcpiV3());
        EXPECT_TRUE(v3.monitor.IsAcpiV2());
        EXPECT_FALSE(v3.monitor.IsOverclocked()) << "version 3 interfaces are never checked";
    }
    LoadBoard("legacy", [](vboard::BoardState& state) { state.Find(0x09080000)->value = 0; });
    {
        MonitorRig v2;
        EXPECT_FALSE(v2.monitor.IsAcpiV3());
        EXPECT_TRUE(v2.monitor.IsAcpiV2());
        EXPECT_TRUE(v2.monitor.IsOverclocked());
        SetBoardValue(0x09080000, 2);
        EXPECT_FALSE(v2.monitor.IsOverclocked());
    }
    LoadBoard("legacy", [](vboard::BoardState& state) { state.interfaceValues[1] = 0x01000000; });
    MonitorRig v1;
    EXPECT_FALSE(v1.monitor.IsAcpiV2());
    ChangeBoard([](vboard::BoardState& state) { state.interfaceValues[1] = 0x03000000; });
    EXPECT_FALSE(v1.monitor.IsAcpiV2()) << "cached";
    EXPECT_TRUE(v1.monitor.IsAcpiV3()) << "asked for the first time";
}

TEST_F(MonitorCapabilities, TweakFlagIsBitSixOfASupportedItem)
{
    MonitorRig rig;
    SetBoardValue(kTuningFlags, 0x40);
    EXPECT_TRUE(rig.monitor.IsTweakDisabled());
    SetBoardValue(kTuningFlags, 0xBF);
    EXPECT_FALSE(rig.monitor.IsTweakDisabled());
    ChangeBoard([](vboard::BoardState& state) { state.items.erase(kTuningFlags); });
    EXPECT_FALSE(rig.monitor.IsTweakDisabled());
}

TEST_F(MonitorCapabilities, AutoPermissionFromTheBiosIsAskedOnce)
{
    SetBoardValue(kAutoAllowed, 0);
    MonitorRig denied;
    EXPECT_FALSE(denied.monitor.IsAutoAllowedByBios());
    SetBoardValue(kAutoAllowed, 5);
    EXPECT_FALSE(denied.monitor.IsAutoAllowedByBios()) << "cached";
    EXPECT_TRUE(MonitorRig().monitor.IsAutoAllowedByBios());
    ChangeBoard([](vboard::BoardState& state) { state.items.erase(kAutoAllowed); });
    EXPECT_TRUE(MonitorRig().monitor.IsAutoAllowedByBios()) << "no item: allowed";
}

TEST_F(MonitorCapabilities, PhaseGroupIsTheTypeOfTheFirstFsbItem)
{
    EXPECT_EQ(MonitorRig().monitor.GetPhaseGroupValue(), 5);
    ChangeBoard([](vboard::BoardState& state) { AddItem(state, kPhaseFsbSaving); });
    EXPECT_EQ(MonitorRig().monitor.GetPhaseGroupValue(), 1);
    ChangeBoard([](vboard::BoardState& state) {
        for (uint32_t id : {kPhaseFsbSaving, kFsbTurbo, kFsbSaving})
            state.items.erase(id);
    });
    EXPECT_EQ(MonitorRig().monitor.GetPhaseGroupValue(), 5) << "fallback";
}

using MonitorLevel = GearTest;

TEST_F(MonitorLevel, PendingRestoreLevelComesFirst)
{
    MonitorRig rig;
    ASSERT_TRUE(rig.gear.gear->SetLevel(2));
    EXPECT_EQ(rig.monitor.CurrentLevel(), 2);
    EXPECT_EQ(rig.monitor.SavingIndex(), 3);
    rig.host.restorePending = true;
    rig.host.restoreLevel = 0x4000;
    EXPECT_EQ(rig.monitor.CurrentLevel(), 0x4000);
    EXPECT_EQ(rig.monitor.SavingIndex(), 3) << "savings follow the library";
}

TEST_F(MonitorLevel, BoardWithoutPowerGearSavesNothing)
{
    LoadBoard("gear-level0");
    MonitorRig rig;
    rig.monitor.Sample(5);
    EXPECT_EQ(rig.monitor.CurrentLevel(), GearLevel::Unknown);
    EXPECT_EQ(rig.monitor.BoardTotalSaving(), 0);
}

} // namespace
