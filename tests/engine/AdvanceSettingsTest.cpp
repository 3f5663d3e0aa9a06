#include "engine/AdvanceSettings.h"
#include "engine/CalibrationProfileCheck.h"
#include "engine/ModeHardware.h"
#include "kelp/vantor/BiosInterface.h"
#include "kelp/vantor/BiosItems.h"
#include "tests/engine/RegistryFixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace test_registry;

namespace {

struct Applied {
    int index;
    uint32_t fsb, vCore, loadLine, nbVolt;
    bool operator==(const Applied&) const = default;
};

class FakeHardware final : public ModeHardware {
public:
    HardwareDefaults GetDefaults(int modeIndex) override
    {
        return modeIndex >= 0 && modeIndex < 4 ? defaults[modeIndex] : HardwareDefaults{};
    }
    void ApplyTuning(int modeIndex, uint32_t fsb, uint32_t vCore, uint32_t loadLine, uint32_t nbVolt) override
    {
        applied.push_back({modeIndex, fsb, vCore, loadLine, nbVolt});
    }
    bool IsAcpiV3() override { return acpiV3; }

    // High Performance gets values too, to show which of them a record takes.
    HardwareDefaults defaults[4] = {{101, 102, 103, 104}, {111, 112, 113, 114}, {301, 302, 303, 304},
                                    {401, 402, 403, 404}};
    std::vector<Applied> applied;
    bool acpiV3 = false;
};

// Fsb, GpuFreq, vCore, LoadLine, NbVolt, DozlaIdleTimeout, SpinDownTimeout, Fan
const ModeTuning kFactory[5] = {
    {101, 0, 102, 103, 104, 0, 0, 0},
    {0, 0, 112, 113, 114, 0, 0, 0},
    {301, 0, 302, 303, 304, 0, 1200, 1},
    {401, 0, 402, 403, 404, 0, 1200, 1},
    {0, 0, 0, 0, 0, 0, 1200, 1},
};

const char* const kSuffixes[5] = {"_Turbo", "_Normal", "_Medium", "_Low", "_Auto"};

struct Field {
    const char* name;
    uint32_t ModeTuning::*member;
};
const Field kFields[8] = {
    {"Fsb", &ModeTuning::Fsb},
    {"GpuFreq", &ModeTuning::GpuFreq},
    {"vCore", &ModeTuning::vCore},
    {"LoadLine", &ModeTuning::LoadLine},
    {"NbVolt", &ModeTuning::NbVolt},
    {"DozlaIdleTimeout", &ModeTuning::DozlaIdleTimeout},
    {"SpinDownTimeout", &ModeTuning::SpinDownTimeout},
    {"Fan", &ModeTuning::Fan},
};

std::string ValueName(const Field& field, int index)
{
    return std::string(field.name) + kSuffixes[index];
}

// A distinct value for every record field, none of them a factory value.
ModeTuning Distinct(int index)
{
    ModeTuning tuning;
    uint32_t next = 1000 * (index + 1);
    for (const Field& field : kFields)
        tuning.*field.member = ++next;
    return tuning;
}

void WriteRecords(const ModeTuning (&records)[5])
{
    for (int i = 0; i < 5; ++i)
        for (const Field& field : kFields)
            WriteDword(HKEY_LOCAL_MACHINE, kAdvance, ValueName(field, i).c_str(), records[i].*field.member);
}

void ExpectStoredRecords(const ModeTuning (&records)[5])
{
    for (int i = 0; i < 5; ++i)
        for (const Field& field : kFields)
            EXPECT_EQ(ReadDword(HKEY_LOCAL_MACHINE, kAdvance, ValueName(field, i).c_str()),
                      records[i].*field.member)
                << ValueName(field, i);
}

void ExpectRecords(const AdvanceSettings& store, const ModeTuning (&records)[5])
{
    for (int i = 0; i < 5; ++i) {
        ModeTuning tuning;
        ASSERT_TRUE(store.GetTuning(i, tuning));
        EXPECT_EQ(tuning, records[i]) << "mode index " << i;
    }
}

std::vector<Applied> AppliedRecords(const ModeTuning (&records)[5])
{
    std::vector<Applied> applied;
    for (int i = 0; i < 4; ++i)
        applied.push_back({i, records[i].Fsb, records[i].vCore, records[i].LoadLine, records[i].NbVolt});
    return applied;
}

class AdvanceSettingsTest : public CleanSettings {
protected:
    void SetUp() override
    {
        CleanSettings::SetUp();
        PlugModeHardware(&hardware);
    }
    void TearDown() override
    {
        PlugModeHardware(nullptr);
        PlugCalibrationProfileCheck(nullptr);
    }

    FakeHardware hardware;
};

} // namespace

TEST_F(AdvanceSettingsTest, EmptyRegistryGivesFactoryDefaultsAndWritesThemBack)
{
    AdvanceSettings store;

    ExpectRecords(store, kFactory);
    ExpectStoredRecords(kFactory);
    EXPECT_EQ(ReadDword(HKEY_LOCAL_MACHINE, kAdvance, "BalloonToolDisabled"), 0u);
    EXPECT_EQ(ReadDword(HKEY_LOCAL_MACHINE, kAdvance, "RunAtSystemStartup"), std::nullopt);
    EXPECT_TRUE(store.IsBalloonTipsEnabled());
    EXPECT_TRUE(store.IsRunAtStartup());
    EXPECT_EQ(hardware.applied, AppliedRecords(kFactory));
}

TEST_F(AdvanceSettingsTest, StoredRecordsLoadWithAutoDerivedFromTheOthers)
{
    ModeTuning stored[5] = {Distinct(0), Distinct(1), Distinct(2), Distinct(3), Distinct(4)};
    stored[2].Fan = 0;
    stored[3].Fan = 0;
    WriteRecords(stored);

    AdvanceSettings store;

    ModeTuning expected[5] = {stored[0], stored[1], stored[2], stored[3], stored[4]};
    // Modes 0-3 count up, so Turbo holds the smallest times.
    expected[4].DozlaIdleTimeout = stored[0].DozlaIdleTimeout;
    expected[4].SpinDownTimeout = stored[0].SpinDownTimeout;
    expected[4].Fan = 0;
    ExpectRecords(store, expected);
    EXPECT_EQ(hardware.applied, AppliedRecords(stored));
}

TEST_F(AdvanceSettingsTest, AnyMissingOrMistypedValueResetsEveryRecord)
{
    const ModeTuning stored[5] = {Distinct(0), Distinct(1), Distinct(2), Distinct(3), Distinct(4)};
    for (bool mistyped : {false, true}) {
        SCOPED_TRACE(mistyped ? "mistyped" : "missing");
        CleanSettings::SetUp();
        hardware.applied.clear();
        WriteRecords(stored);
        if (mistyped)
            WriteString(HKEY_LOCAL_MACHINE, kAdvance, "SpinDownTimeout_Low", "1800");
        else
            DeleteValue(HKEY_LOCAL_MACHINE, kAdvance, "SpinDownTimeout_Low");

        AdvanceSettings store;

        ExpectRecords(store, kFactory);
        ExpectStoredRecords(kFactory);
        EXPECT_EQ(hardware.applied, AppliedRecords(kFactory));
    }
}

TEST_F(AdvanceSettingsTest, AutoFollowsTheShortestTimesAndTheSavingModesFan)
{
    AdvanceSettings store;
    auto set = [&](int index, uint32_t idle, uint32_t spinDown, uint32_t fan) {
        ModeTuning tuning;
        ASSERT_TRUE(store.GetTuning(index, tuning));
        tuning.DozlaIdleTimeout = idle;
        tuning.SpinDownTimeout = spinDown;
        tuning.Fan = fan;
        ASSERT_TRUE(store.SetTuning(index, tuning));
    };
    auto autoRecord = [&] {
        ModeTuning tuning;
        EXPECT_TRUE(store.GetTuning(4, tuning));
        return tuning;
    };

    set(0, 0, 0, 1);
    set(1, 90000, 1800, 0);
    set(2, 60000, 1200, 0);
    set(3, 0, 0, 0);
    EXPECT_EQ(autoRecord().DozlaIdleTimeout, 60000u);
    EXPECT_EQ(autoRecord().SpinDownTimeout, 1200u);
    EXPECT_EQ(autoRecord().Fan, 0u) << "a quiet Turbo does not make Auto quiet";

    set(2, 0, 0, 1);
    EXPECT_EQ(autoRecord().Fan, 1u);
    EXPECT_EQ(autoRecord().SpinDownTimeout, 1800u);

    set(1, 0, 0, 0);
    set(2, 0, 0, 0);
    set(3, 0, 0, 5);
    EXPECT_EQ(autoRecord().DozlaIdleTimeout, 0u);
    EXPECT_EQ(autoRecord().SpinDownTimeout, 0u);
    EXPECT_EQ(autoRecord().Fan, 1u);

    // Auto's hardware values are never touched by the derivation.
    EXPECT_EQ(autoRecord(), (ModeTuning{0, 0, 0, 0, 0, 0, 0, 1}));
}

TEST_F(AdvanceSettingsTest, SetTuningAppliesButSavesOnlyOnSave)
{
    AdvanceSettings store;
    hardware.applied.clear();

    ASSERT_TRUE(store.SetTuning(2, 7, 8, 9, 10, 11, 120000, 600, 0));
    EXPECT_EQ(hardware.applied, (std::vector<Applied>{{2, 7, 9, 10, 11}}));
    ModeTuning medium;
    ASSERT_TRUE(store.GetTuning(2, medium));
    EXPECT_EQ(medium, (ModeTuning{7, 8, 9, 10, 11, 120000, 600, 0}));
    EXPECT_EQ(ReadDword(HKEY_LOCAL_MACHINE, kAdvance, "Fsb_Medium"), 301u);

    ASSERT_TRUE(store.Save());
    EXPECT_EQ(ReadDword(HKEY_LOCAL_MACHINE, kAdvance, "Fsb_Medium"), 7u);
    EXPECT_EQ(ReadDword(HKEY_LOCAL_MACHINE, kAdvance, "SpinDownTimeout_Medium"), 600u);
    EXPECT_EQ(ReadDword(HKEY_LOCAL_MACHINE, kAdvance, "SpinDownTimeout_Auto"), 600u);

    // A second store reads the saved records back.
    AdvanceSettings reloaded;
    ASSERT_TRUE(reloaded.GetTuning(2, medium));
    EXPECT_EQ(medium, (ModeTuning{7, 8, 9, 10, 11, 120000, 600, 0}));
}

TEST_F(AdvanceSettingsTest, AutoAndUnknownIndicesCannotBeSet)
{
    AdvanceSettings store;
    hardware.applied.clear();

    for (int index : {4, 5, -1}) {
        EXPECT_FALSE(store.SetTuning(index, Distinct(0))) << index;
        ModeTuning ignored;
        if (index != 4) {
            EXPECT_FALSE(store.GetTuning(index, ignored)) << index;
        }
    }
    EXPECT_TRUE(hardware.applied.empty());
    ExpectRecords(store, kFactory);
}

TEST_F(AdvanceSettingsTest, ResetToDefaultsRestoresSavesAndReprograms)
{
    AdvanceSettings store;
    for (int i = 0; i < 4; ++i)
        store.SetTuning(i, Distinct(i));
    store.Save();
    hardware.applied.clear();

    store.ResetToDefaults();

    ExpectRecords(store, kFactory);
    ExpectStoredRecords(kFactory);
    EXPECT_EQ(hardware.applied, AppliedRecords(kFactory));
}

TEST_F(AdvanceSettingsTest, OptionsAreStoredInverted)
{
    struct Case {
        std::optional<DWORD> stored;
        bool enabled;
    };
    for (const Case& c : {Case{std::nullopt, true}, Case{0, true}, Case{1, false}, Case{2, true}}) {
        SCOPED_TRACE(c.stored ? std::to_string(*c.stored) : "absent");
        CleanSettings::SetUp();
        if (c.stored) {
            WriteDword(HKEY_LOCAL_MACHINE, kAdvance, "RunAtSystemStartup", *c.stored);
            WriteDword(HKEY_LOCAL_MACHINE, kAdvance, "BalloonToolDisabled", *c.stored);
        }
        AdvanceSettings store;
        EXPECT_EQ(store.IsRunAtStartup(), c.enabled);
        EXPECT_EQ(store.IsBalloonTipsEnabled(), c.enabled);
    }

    AdvanceSettings store;
    store.SetRunAtStartup(false);
    store.SetBalloonTipsEnabled(false);
    EXPECT_EQ(ReadDword(HKEY_LOCAL_MACHINE, kAdvance, "RunAtSystemStartup"), 1u);
    EXPECT_EQ(ReadDword(HKEY_LOCAL_MACHINE, kAdvance, "BalloonToolDisabled"), 1u);
    EXPECT_FALSE(store.IsRunAtStartup());
    EXPECT_FALSE(store.IsBalloonTipsEnabled());
    store.SetRunAtStartup(true);
    EXPECT_EQ(ReadDword(HKEY_LOCAL_MACHINE, kAdvance, "RunAtSystemStartup"), 0u);
}

TEST_F(AdvanceSettingsTest, CrashGuardsMarkAndClearTheirOwnFlag)
{
    using Query = bool (AdvanceSettings::*)() const;
    using Change = void (AdvanceSettings::*)();
    struct Guard {
        const char* value;
        Query isClear;
        Change mark;
        Change clear;
    };
    const Guard guards[] = {
        {"CheckSafeFlag", &AdvanceSettings::IsCheckSafe_FlagClear, &AdvanceSettings::MarkCheckSafe_Flag,
         &AdvanceSettings::ClearCheckSafe_Flag},
        {"Calibration_Flag", &AdvanceSettings::IsCalibration_FlagClear, &AdvanceSettings::MarkCalibration_Flag,
         &AdvanceSettings::ClearCalibration_Flag},
        {"Gear_Flag", &AdvanceSettings::IsGear_FlagClear, &AdvanceSettings::MarkGear_Flag,
         &AdvanceSettings::ClearGear_Flag},
    };
    AdvanceSettings store;
    for (const Guard& guard : guards) {
        SCOPED_TRACE(guard.value);
        EXPECT_TRUE((store.*guard.isClear)()) << "absent";

        (store.*guard.mark)();
        EXPECT_EQ(ReadDword(HKEY_LOCAL_MACHINE, kAdvance, guard.value), 1u);
        EXPECT_FALSE((store.*guard.isClear)());
        for (const Guard& other : guards)
            if (&other != &guard) {
                EXPECT_TRUE((store.*other.isClear)()) << other.value;
            }

        (store.*guard.clear)();
        EXPECT_EQ(ReadDword(HKEY_LOCAL_MACHINE, kAdvance, guard.value), 0u);
        EXPECT_TRUE((store.*guard.isClear)());

        WriteDword(HKEY_LOCAL_MACHINE, kAdvance, guard.value, 2);
        EXPECT_FALSE((store.*guard.isClear)()) << "any non-zero value is set";
        (store.*guard.clear)();
    }
}

TEST_F(AdvanceSettingsTest, CrashGuardWithoutTheKeyIsClear)
{
    AdvanceSettings store;
    DeleteTree(HKEY_LOCAL_MACHINE, kRoot);
    EXPECT_TRUE(store.IsGear_FlagClear());
    EXPECT_TRUE(store.IsCalibration_FlagClear());
    EXPECT_TRUE(store.IsCheckSafe_FlagClear());
    store.MarkGear_Flag();
    EXPECT_FALSE(store.IsGear_FlagClear()) << "marking creates the key";
}

TEST_F(AdvanceSettingsTest, LastModeReadsOnlyRealModes)
{
    AdvanceSettings store;
    EXPECT_EQ(store.ReadLastMode(), 0) << "absent";
    struct Case {
        DWORD stored;
        int level;
    };
    for (const Case& c : {Case{0x4000, 0x4000}, Case{0x8000, 0x8000}, Case{2, 2}, Case{1, 1}, Case{7, 0},
                          Case{255, 0}, Case{0xFFFFFFFF, 0}}) {
        WriteDword(HKEY_LOCAL_MACHINE, kRoot, "LastMode", c.stored);
        EXPECT_EQ(store.ReadLastMode(), c.level) << c.stored;
    }
}

TEST_F(AdvanceSettingsTest, ResetLastModeMakesTheNextStartRestoreHighPerformance)
{
    AdvanceSettings store;
    WriteDword(HKEY_LOCAL_MACHINE, kRoot, "LastMode", 0x4000);

    store.ResetLastMode();

    EXPECT_EQ(ReadDword(HKEY_LOCAL_MACHINE, kRoot, "LastMode"), 0u);
    EXPECT_EQ(store.ReadLastMode(), 0);
}

TEST_F(AdvanceSettingsTest, PhaseModeRoundTrips)
{
    AdvanceSettings store;
    int phase = -1;
    EXPECT_FALSE(store.ReadPhaseMode(phase));
    store.SetPhaseMode(6);
    EXPECT_EQ(ReadDword(HKEY_LOCAL_MACHINE, kAdvance, "Phase Mode"), 6u);
    ASSERT_TRUE(store.ReadPhaseMode(phase));
    EXPECT_EQ(phase, 6);
}

TEST_F(AdvanceSettingsTest, CalibrationRequestLivesInTheUserHive)
{
    AdvanceSettings store;
    EXPECT_FALSE(store.IsCalibrationNeeded());

    store.RequestCalibration(true, 1);
    EXPECT_EQ(ReadDword(HKEY_CURRENT_USER, kAdvance, "CalibrationNeeded"), 1u);
    EXPECT_EQ(ReadDword(HKEY_CURRENT_USER, kAdvance, "CalibrationReason"), 1u);
    EXPECT_EQ(ReadDword(HKEY_LOCAL_MACHINE, kAdvance, "CalibrationNeeded"), std::nullopt);
    EXPECT_TRUE(store.IsCalibrationNeeded());

    store.SetCalibrationNeeded(false);
    EXPECT_FALSE(store.IsCalibrationNeeded());
    WriteDword(HKEY_CURRENT_USER, kAdvance, "CalibrationNeeded", 2);
    EXPECT_FALSE(store.IsCalibrationNeeded()) << "only 1 requests calibration";
}

namespace {
bool profileMismatch = false;
bool ReportProfileMismatch() { return profileMismatch; }
} // namespace

TEST_F(AdvanceSettingsTest, ProfileMismatchRequestsCalibrationOnlyWithAcpiV3)
{
    AdvanceSettings store;
    store.CheckCalibrationProfileAtStart();
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kAdvance)) << "no check plugged";

    PlugCalibrationProfileCheck(ReportProfileMismatch);
    struct Case {
        bool acpiV3;
        bool mismatch;
    };
    for (const Case& c : {Case{false, true}, Case{true, false}}) {
        hardware.acpiV3 = c.acpiV3;
        profileMismatch = c.mismatch;
        store.CheckCalibrationProfileAtStart();
        EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kAdvance)) << c.acpiV3 << c.mismatch;
    }

    hardware.acpiV3 = true;
    profileMismatch = true;
    store.CheckCalibrationProfileAtStart();
    EXPECT_EQ(ReadDword(HKEY_CURRENT_USER, kAdvance, "CalibrationNeeded"), 1u);
    EXPECT_EQ(ReadDword(HKEY_CURRENT_USER, kAdvance, "CalibrationReason"), 1u);
}

TEST_F(AdvanceSettingsTest, PhaseChangeSinceLastCalibrationNeedsCalibration)
{
    ASSERT_TRUE(kelp::SetItem(kelp::BiosItemId::kPhaseMode, 2));
    ASSERT_TRUE(kelp::IsItemSupported(kelp::BiosItemId::kPhaseMode));
    AdvanceSettings store;
    WriteDword(HKEY_CURRENT_USER, kAdvance, "CalibrationNeeded", 0);
    EXPECT_FALSE(store.IsCalibrationNeeded()) << "no phase stored yet";

    store.SetPhaseMode(3);
    EXPECT_TRUE(store.IsCalibrationNeeded());

    store.SetPhaseMode(2);
    EXPECT_FALSE(store.IsCalibrationNeeded());
    WriteDword(HKEY_CURRENT_USER, kAdvance, "CalibrationNeeded", 1);
    EXPECT_TRUE(store.IsCalibrationNeeded()) << "an explicit request still counts";
}
