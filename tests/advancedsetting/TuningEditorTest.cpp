// The advanced settings over a scripted machine: which tab opens, what the
// rows show for stored records (good and bad), what changes make of the
// records, the Medium/Max-saving coupling, Default, and OK's answer.

#include "ScriptedMachine.h"

#include "engine/ModeModel.h"
#include "kelp/vantor/BiosItems.h"
#include "screens/advancedsetting/TuningEditor.h"

#include <gtest/gtest.h>

#include <functional>
#include <iterator>

using namespace advancedsetting;
using namespace advancedtest;

namespace {

// Entry indices of the time lists with the one-minute entry.
constexpr int kTwentyMinutes = 5;
constexpr int kOneHour = 9;
constexpr int kNever = 14;

ModeTuning Record(uint32_t fsb, uint32_t vCore, uint32_t loadLine, uint32_t spinDown, uint32_t idleMs, uint32_t fan)
{
    ModeTuning t;
    t.Fsb = fsb;
    t.vCore = vCore;
    t.LoadLine = loadLine;
    t.NbVolt = 1;
    t.SpinDownTimeout = spinDown;
    t.DozlaIdleTimeout = idleMs;
    t.Fan = fan;
    return t;
}

class TuningEditorTest : public testing::Test {
protected:
    TuningEditorTest()
    {
        using namespace kelp::BiosItemId;
        machine.ranges[kFsbTurbo] = {0, 1, 12};    // positions 0-10, stored 1-11
        machine.ranges[kFsbSaving] = {0, 1, 22};   // positions 0-20, stored 1-21
        machine.store[kTurbo] = Record(3, 2, 1, 0, 0, 0);
        machine.store[kHigh] = Record(0, 0, 0, 0, 0, 0);
        machine.store[kMedium] = Record(5, 1, 1, 1200, 300000, 1);
        machine.store[kLow] = Record(9, 2, 2, 1200, 600000, 1);
        machine.factory = machine.store;
        machine.factory[kMedium] = Record(12, 0, 0, 1200, 0, 1);
        machine.factory[kLow] = Record(7, 0, 0, 1200, 0, 1);
    }

    // Opens the form on a tab and changes one row there.
    void Change(int tab, OptionRowId row, int entry)
    {
        editor.SwitchTo(tab);
        RowValues rows = editor.Shown();
        rows.choice[row] = entry;
        editor.Changed(rows);
    }
    void MoveCpu(int tab, int position)
    {
        editor.SwitchTo(tab);
        RowValues rows = editor.Shown();
        rows.cpu = position;
        editor.Changed(rows);
    }

    ScriptedMachine machine;
    TuningEditor editor{machine};
};

} // namespace

TEST_F(TuningEditorTest, OpensOnTheTabOfTheRunningMode)
{
    const std::pair<int, int> cases[] = {{GearLevel::Auto, kTurbo},          {GearLevel::Turbo, kTurbo},
                                         {GearLevel::HighPerformance, kHigh}, {GearLevel::MediumSaving, kMedium},
                                         {GearLevel::MaxSaving, kLow},        {GearLevel::Unknown, kTurbo}};
    for (auto [level, tab] : cases) {
        machine.level = level;
        EXPECT_EQ(editor.Begin(false), tab) << level;
        EXPECT_EQ(editor.Tab(), tab) << level;
    }
}

TEST_F(TuningEditorTest, DiskListOfTheSystemDecidesWhatTwoMinutesShow)
{
    machine.store[kMedium].SpinDownTimeout = 120;
    machine.store[kMedium].DozlaIdleTimeout = 120000;
    machine.majorVersion = 5;
    editor.Begin(false);
    editor.SwitchTo(kMedium);
    EXPECT_EQ(editor.Choices(DiskRow, [](const char* k) { return std::string(k); }).front(), "Aftermins");
    EXPECT_EQ(editor.Shown().choice[DiskRow], 13);  // "Never" of the shorter list
    EXPECT_EQ(editor.Shown().choice[NapRow], 0);    // the nap list always has one minute

    // Version 6 and every later system have the one-minute entry.
    for (unsigned version : {6u, 10u}) {
        machine.majorVersion = version;
        editor.Begin(false);
        editor.SwitchTo(kMedium);
        EXPECT_EQ(editor.Choices(DiskRow, [](const char* k) { return std::string(k); }).front(), "After1min")
            << version;
        EXPECT_EQ(editor.Shown().choice[DiskRow], 0) << version;
    }
    // What the row shows is not stored before the user picks it.
    EXPECT_EQ(editor.Working(kMedium).SpinDownTimeout, 120u);
}

TEST_F(TuningEditorTest, MediumAndMaxSavingFrequenciesPushEachOther)
{
    editor.Begin(false);
    MoveCpu(kMedium, 14);  // stored 15, above Max saving's 9
    EXPECT_EQ(editor.Working(kMedium).Fsb, 15u);
    EXPECT_EQ(editor.Working(kLow).Fsb, 15u);

    MoveCpu(kLow, 3);  // stored 4, below Medium's 15
    EXPECT_EQ(editor.Working(kLow).Fsb, 4u);
    EXPECT_EQ(editor.Working(kMedium).Fsb, 4u);

    // Raising Max saving or lowering Medium moves nothing else.
    MoveCpu(kLow, 10);
    MoveCpu(kMedium, 1);
    EXPECT_EQ(editor.Working(kLow).Fsb, 11u);
    EXPECT_EQ(editor.Working(kMedium).Fsb, 2u);
    // Turbo is no part of it.
    MoveCpu(kTurbo, 10);
    EXPECT_EQ(editor.Working(kMedium).Fsb, 2u);
}

TEST_F(TuningEditorTest, OkAsksForCalibrationOnlyForFrequencyAndVoltageChanges)
{
    editor.Begin(false);
    EXPECT_EQ(editor.OkResult(), kResultOk);

    Change(kMedium, DiskRow, kOneHour);
    Change(kLow, NapRow, kTwentyMinutes);
    Change(kTurbo, DiskRow, kNever);
    Change(kMedium, FanRow, 0);
    Change(kLow, ChipsetRow, 0);
    EXPECT_EQ(editor.Working(kMedium).SpinDownTimeout, 3600u);
    EXPECT_EQ(editor.Working(kLow).DozlaIdleTimeout, 1200000u);
    EXPECT_EQ(editor.Working(kTurbo).SpinDownTimeout, 0u);
    EXPECT_EQ(editor.Working(kMedium).Fan, 0u);
    EXPECT_EQ(editor.OkResult(), kResultOk);

    // Everything on the High Performance tab, even its unused frequency.
    Change(kHigh, DiskRow, kTwentyMinutes);
    Change(kHigh, NapRow, kOneHour);
    Change(kHigh, VCoreRow, 0);
    MoveCpu(kHigh, 7);
    EXPECT_EQ(editor.Working(kHigh).Fsb, 0u);
    EXPECT_EQ(editor.OkResult(), kResultOk);

    MoveCpu(kTurbo, 6);
    EXPECT_EQ(editor.OkResult(), kResultOkRecalibrate);
    editor.Begin(false);  // a new show forgets the edits
    EXPECT_EQ(editor.OkResult(), kResultOk);
    Change(kMedium, LoadLineRow, 2);
    EXPECT_EQ(editor.OkResult(), kResultOkRecalibrate);

    // Each saving tab's voltage and frequency alone; Max saving's raised
    // frequency leaves Medium's where it is.
    const std::function<void()> alone[] = {
        [&] { Change(kMedium, VCoreRow, 0); },
        [&] { Change(kLow, VCoreRow, 1); },
        [&] { Change(kLow, LoadLineRow, 0); },
        [&] { MoveCpu(kLow, 12); },
    };
    for (size_t i = 0; i < std::size(alone); ++i) {
        editor.Begin(false);
        alone[i]();
        EXPECT_EQ(editor.Working(kMedium).Fsb, 5u) << i;
        EXPECT_EQ(editor.OkResult(), kResultOkRecalibrate) << i;
    }
}

TEST_F(TuningEditorTest, RowsTheTabLocksKeepTheirStoredValues)
{
    // Turbo's voltages come from the BIOS defaults; its "OFF" lists show
    // them as their only entry, and a change of its disk time keeps them.
    editor.Begin(false);
    editor.SwitchTo(kTurbo);
    EXPECT_EQ(editor.Shown().choice[VCoreRow], 0);
    EXPECT_EQ(editor.Shown().choice[LoadLineRow], 0);
    Change(kTurbo, DiskRow, kOneHour);
    EXPECT_EQ(editor.Working(kTurbo).vCore, 2u);
    EXPECT_EQ(editor.Working(kTurbo).LoadLine, 1u);
    EXPECT_EQ(editor.Working(kTurbo).NbVolt, 1u);
    EXPECT_EQ(editor.OkResult(), kResultOk);

    // Without the nap feature the nap row is locked on every tab.
    machine.acpiV2 = false;
    editor.Begin(false);
    EXPECT_FALSE(editor.Enables().IsEnabled(kMedium, NapRow));
    Change(kMedium, NapRow, 3);
    Change(kMedium, DiskRow, kNever);
    EXPECT_EQ(editor.Working(kMedium).DozlaIdleTimeout, 300000u);
    // A running nap utility brings it back at the next show.
    machine.napUtility = true;
    editor.Begin(false);
    EXPECT_TRUE(editor.Enables().IsEnabled(kMedium, NapRow));
}

TEST_F(TuningEditorTest, BadStoredValuesShowTheNearestEntryAndStayUntilTheUserChangesTheirRow)
{
    machine.store[kMedium] = Record(500, 7, 0xFFFFFFFF, 0xFFFFFFF6 /* -10 s */, 0x7FFFFFFF, 9);
    machine.store[kLow] = Record(0, 3, 3, 99999999, 0x80000000, 2);
    const auto stored = machine.store;
    editor.Begin(false);

    editor.SwitchTo(kMedium);
    RowValues shown = editor.Shown();
    EXPECT_EQ(shown.cpu, 20);
    EXPECT_EQ(shown.choice[VCoreRow], 2);
    EXPECT_EQ(shown.choice[LoadLineRow], 2);
    EXPECT_EQ(shown.choice[DiskRow], kNever);
    EXPECT_EQ(shown.choice[NapRow], 13);  // five hours
    EXPECT_EQ(shown.choice[FanRow], 1);
    editor.SwitchTo(kLow);
    shown = editor.Shown();
    EXPECT_EQ(shown.cpu, 0);
    EXPECT_EQ(shown.choice[DiskRow], 13);
    EXPECT_EQ(shown.choice[NapRow], kNever);

    // The user changed nothing: OK asks for no calibration and writes the
    // records back as they were.
    EXPECT_TRUE(machine.setOrder.empty());
    EXPECT_EQ(editor.OkResult(), kResultOk);
    editor.SaveToStore();
    EXPECT_EQ(machine.setOrder, (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(machine.store, stored);

    // A changed row stores what it shows; the others keep their values.
    editor.Begin(false);
    Change(kMedium, DiskRow, kOneHour);
    EXPECT_EQ(editor.Working(kMedium), Record(500, 7, 0xFFFFFFFF, 3600, 0x7FFFFFFF, 9));
    // Medium's frequency above Max saving's was not the user's doing.
    EXPECT_EQ(editor.Working(kLow).Fsb, 0u);
    EXPECT_EQ(editor.OkResult(), kResultOk);
    Change(kMedium, VCoreRow, 0);
    EXPECT_EQ(editor.Working(kMedium).vCore, 0u);
    EXPECT_EQ(editor.Working(kMedium).Fsb, 500u);
    EXPECT_EQ(editor.OkResult(), kResultOkRecalibrate);
}

TEST_F(TuningEditorTest, StoredIndexPastTheEndOfAListShowsTheLastEntry)
{
    machine.ranges[kelp::BiosItemId::kCoreVoltage] = {0, 1, 2};
    machine.store[kMedium].vCore = 2;  // one past "Small", "High"
    editor.Begin(false);
    editor.SwitchTo(kMedium);
    EXPECT_EQ(editor.Shown().choice[VCoreRow], 1);
    Change(kMedium, FanRow, 0);
    EXPECT_EQ(editor.Working(kMedium).vCore, 2u);
    EXPECT_EQ(editor.OkResult(), kResultOk);
}

TEST_F(TuningEditorTest, DefaultReplacesOnlyTheCurrentTabAndKeepsTheCoupling)
{
    editor.Begin(false);
    Change(kLow, DiskRow, kOneHour);
    Change(kMedium, DiskRow, kOneHour);
    editor.Default();  // Medium's factory frequency 12 is above Max saving's 9
    EXPECT_EQ(editor.Working(kMedium), machine.factory[kMedium]);
    EXPECT_EQ(editor.Working(kLow).Fsb, 12u);
    EXPECT_EQ(editor.Working(kLow).SpinDownTimeout, 3600u);

    editor.SwitchTo(kLow);
    editor.Default();  // 7 pulls Medium down with it
    EXPECT_EQ(editor.Working(kLow), machine.factory[kLow]);
    EXPECT_EQ(editor.Working(kMedium).Fsb, 7u);
}

TEST_F(TuningEditorTest, CpuSliderPositionsOnBothPlatforms)
{
    editor.Begin(false);
    editor.SwitchTo(kTurbo);
    EXPECT_EQ(editor.Shown().cpu, 2);  // stored 3 is position 2
    machine.phaseGroup = 1;
    machine.ranges[kelp::BiosItemId::kPhaseFsbTurbo] = {0, 1, 12};
    editor.Begin(false);
    editor.SwitchTo(kTurbo);
    EXPECT_EQ(editor.Shown().cpu, 3);
    MoveCpu(kTurbo, 0);
    EXPECT_EQ(editor.Working(kTurbo).Fsb, 0u);
    // Without the item's range: 40 positions, stored as on the platform.
    EXPECT_EQ(editor.Facts().cpu[kMedium], (FrequencyScale{0, 39, 1, 1, false}));
}

TEST_F(TuningEditorTest, GraphicsSettingOfTurboIsStoredAboveTheBase)
{
    machine.store[kTurbo].GpuFreq = 3;
    machine.store[kMedium].GpuFreq = 77;
    editor.Begin(true);
    editor.SwitchTo(kTurbo);
    EXPECT_EQ(editor.Shown().gpu, 7);  // base 4 + 3
    RowValues rows = editor.Shown();
    rows.gpu = 1;
    editor.Changed(rows);
    EXPECT_EQ(static_cast<int32_t>(editor.Working(kTurbo).GpuFreq), -3);
    // Other tabs show the setting in force and cannot change it.
    editor.SwitchTo(kMedium);
    EXPECT_EQ(editor.Shown().gpu, 2);
    EXPECT_EQ(editor.Working(kMedium).GpuFreq, 77u);
    // A stored setting past the slider lands on its end.
    machine.store[kTurbo].GpuFreq = 40;
    editor.Begin(true);
    editor.SwitchTo(kTurbo);
    EXPECT_EQ(editor.Shown().gpu, 9);
    EXPECT_EQ(editor.Working(kTurbo).GpuFreq, 40u);
    rows = editor.Shown();
    rows.gpu = 8;
    editor.Changed(rows);
    EXPECT_EQ(editor.Working(kTurbo).GpuFreq, 4u);
    // The basic layout has no graphics row and keeps the value.
    editor.Begin(false);
    EXPECT_EQ(editor.Working(kTurbo).GpuFreq, 40u);
}
