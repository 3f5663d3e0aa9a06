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
    HardwareDefaults GetDefaults(int modeIndex) override { return defaults[modeIndex]; }
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
const ModeTunings kFactory = {{
    {101, 0, 102, 103, 104, 0, 0, 0},
    {0, 0, 112, 113, 114, 0, 0, 0},
    {301, 0, 302, 303, 304, 0, 1200, 1},
    {401, 0, 402, 403, 404, 0, 1200, 1},
    {0, 0, 0, 0, 0, 0, 1200, 1},
}};

const char* const kSuffixes[5] = {"_Turbo", "_Normal", "_Medium", "_Low", "_Auto"};
const std::pair<const char*, uint32_t ModeTuning::*> kFields[8] = {
    {"Fsb", &ModeTuning::Fsb},
    {"GpuFreq", &ModeTuning::GpuFreq},
    {"vCore", &ModeTuning::vCore},
    {"LoadLine", &ModeTuning::LoadLine},
    {"NbVolt", &ModeTuning::NbVolt},
    {"DozlaIdleTimeout", &ModeTuning::DozlaIdleTimeout},
    {"SpinDownTimeout", &ModeTuning::SpinDownTimeout},
    {"Fan", &ModeTuning::Fan},
};

// Runs body(value name, stored field) over all 40 per-mode values.
template <class Body> void ForEachValue(ModeTunings& records, Body body)
{
    for (int i = 0; i < 5; ++i)
        for (const auto& [name, member] : kFields)
            body(std::string(name) + kSuffixes[i], records[i].*member);
}

ModeTunings StoredRecords()
{
    ModeTunings records{};
    ForEachValue(records, [](const std::string& name, uint32_t& field) {
        field = ReadDword(HKEY_LOCAL_MACHINE, kAdvance, name.c_str()).value_or(0xDEAD);
    });
    return records;
}

ModeTunings StoreRecords(const AdvanceSettings& store)
{
    ModeTunings records{};
    for (int i = 0; i < 5; ++i)
        EXPECT_TRUE(store.GetTuning(i, records[i]));
    return records;
}

std::vector<Applied> AppliedRecords(const ModeTunings& records)
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

bool profileMismatch = false;
bool ReportProfileMismatch() { return profileMismatch; }

} // namespace

TEST_F(AdvanceSettingsTest, EmptyRegistryGivesFactoryDefaultsAndWritesThemBack)
{
    AdvanceSettings store;

    EXPECT_EQ(StoreRecords(store), kFactory);
    EXPECT_EQ(StoredRecords(), kFactory);
    EXPECT_EQ(ReadDword(HKEY_LOCAL_MACHINE, kAdvance, "BalloonToolDisabled"), 0u);
    EXPECT_EQ(hardware.applied, AppliedRecords(kFactory));
}

TEST_F(AdvanceSettingsTest, LoadsStoredRecordsUnlessOneValueIsMissing)
{
    ModeTunings stored{};
    uint32_t next = 1000;
    ForEachValue(stored, [&](const std::string& name, uint32_t& field) {
        field = ++next;
        WriteDword(HKEY_LOCAL_MACHINE, kAdvance, name.c_str(), field);
    });
    {
        AdvanceSettings store;
        // Auto's extras follow the others (Turbo holds the smallest times,
        // Medium a quiet fan); its hardware values load as stored.
        ModeTunings expected = stored;
        expected[4].DozlaIdleTimeout = stored[0].DozlaIdleTimeout;
        expected[4].SpinDownTimeout = stored[0].SpinDownTimeout;
        expected[4].Fan = 1;
        EXPECT_EQ(StoreRecords(store), expected);
        EXPECT_EQ(hardware.applied, AppliedRecords(stored));
    }

    ASSERT_EQ(RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, kAdvance, "SpinDownTimeout_Low"), ERROR_SUCCESS);
    hardware.applied.clear();
    AdvanceSettings store;
    EXPECT_EQ(StoreRecords(store), kFactory);
    EXPECT_EQ(StoredRecords(), kFactory);
    EXPECT_EQ(hardware.applied, AppliedRecords(kFactory));
}

TEST_F(AdvanceSettingsTest, AutoFollowsTheShortestTimesAndTheSavingModesFan)
{
    AdvanceSettings store;
    auto set = [&](int index, uint32_t idle, uint32_t spinDown, uint32_t fan) {
        ASSERT_TRUE(store.SetTuning(index, index, 0, 0, 0, 0, idle, spinDown, fan));
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
    EXPECT_EQ(autoRecord(), (ModeTuning{0, 0, 0, 0, 0, 60000, 1200, 0})) << "a quiet Turbo leaves Auto's fan";
    set(2, 0, 0, 1);
    EXPECT_EQ(autoRecord(), (ModeTuning{0, 0, 0, 0, 0, 90000, 1800, 1}));
    set(1, 0, 0, 0);
    set(2, 0, 0, 0);
    set(3, 0, 0, 5);
    EXPECT_EQ(autoRecord(), (ModeTuning{0, 0, 0, 0, 0, 0, 0, 1}));

    // Auto is never set directly, nor are modes that do not exist.
    hardware.applied.clear();
    for (int index : {4, 5, -1})
        EXPECT_FALSE(store.SetTuning(index, ModeTuning{7, 7, 7, 7, 7, 7, 7, 7})) << index;
    EXPECT_TRUE(hardware.applied.empty());
    EXPECT_EQ(autoRecord(), (ModeTuning{0, 0, 0, 0, 0, 0, 0, 1}));
    ModeTuning ignored;
    EXPECT_FALSE(store.GetTuning(5, ignored));

    // Only Save writes records back.
    EXPECT_EQ(ReadDword(HKEY_LOCAL_MACHINE, kAdvance, "Fan_Low"), 1u);
    ASSERT_TRUE(store.Save());
    EXPECT_EQ(ReadDword(HKEY_LOCAL_MACHINE, kAdvance, "Fan_Low"), 5u);
}

TEST_F(AdvanceSettingsTest, OptionsAreStoredInverted)
{
    for (std::optional<DWORD> stored : {std::optional<DWORD>{}, std::optional<DWORD>{0}, std::optional<DWORD>{1}}) {
        CleanSettings::SetUp();
        if (stored) {
            WriteDword(HKEY_LOCAL_MACHINE, kAdvance, "RunAtSystemStartup", *stored);
            WriteDword(HKEY_LOCAL_MACHINE, kAdvance, "BalloonToolDisabled", *stored);
        }
        AdvanceSettings store;
        EXPECT_EQ(store.IsRunAtStartup(), stored != 1u) << stored.value_or(99);
        EXPECT_EQ(store.IsBalloonTipsEnabled(), stored != 1u) << stored.value_or(99);
    }

    AdvanceSettings store;
    store.SetRunAtStartup(true);
    store.SetBalloonTipsEnabled(false);
    EXPECT_EQ(ReadDword(HKEY_LOCAL_MACHINE, kAdvance, "RunAtSystemStartup"), 0u);
    EXPECT_EQ(ReadDword(HKEY_LOCAL_MACHINE, kAdvance, "BalloonToolDisabled"), 1u);
    store.SetRunAtStartup(false);
    EXPECT_EQ(ReadDword(HKEY_LOCAL_MACHINE, kAdvance, "RunAtSystemStartup"), 1u);
    EXPECT_FALSE(AdvanceSettings().IsRunAtStartup());
}

TEST_F(AdvanceSettingsTest, CrashGuardsMarkAndClearTheirOwnFlag)
{
    struct Guard {
        const char* value;
        bool (AdvanceSettings::*isClear)() const;
        void (AdvanceSettings::*mark)();
        void (AdvanceSettings::*clear)();
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
        CleanSettings::SetUp();
        EXPECT_TRUE((store.*guard.isClear)()) << "no key";

        (store.*guard.mark)();
        EXPECT_EQ(ReadDword(HKEY_LOCAL_MACHINE, kAdvance, guard.value), 1u);
        for (const Guard& other : guards)
            EXPECT_EQ((store.*other.isClear)(), &other != &guard) << other.value;

        (store.*guard.clear)();
        EXPECT_EQ(ReadDword(HKEY_LOCAL_MACHINE, kAdvance, guard.value), 0u);
        EXPECT_TRUE((store.*guard.isClear)());
        WriteDword(HKEY_LOCAL_MACHINE, kAdvance, guard.value, 2);
        EXPECT_FALSE((store.*guard.isClear)()) << "any non-zero value is set";
    }
}

TEST_F(AdvanceSettingsTest, LastModeReadsRealModesAndResetsToHighPerformance)
{
    AdvanceSettings store;
    EXPECT_EQ(store.ReadLastMode(), 0) << "absent";
    for (auto [stored, level] : {std::pair{0x4000, 0x4000}, {0x8000, 0x8000}, {2, 2}, {7, 0}, {255, 0}}) {
        WriteDword(HKEY_LOCAL_MACHINE, kRoot, "LastMode", stored);
        EXPECT_EQ(store.ReadLastMode(), level) << stored;
    }

    WriteDword(HKEY_LOCAL_MACHINE, kRoot, "LastMode", 0x4000);
    store.ResetLastMode();
    EXPECT_EQ(ReadDword(HKEY_LOCAL_MACHINE, kRoot, "LastMode"), 0u);
}

TEST_F(AdvanceSettingsTest, CalibrationIsNeededAfterAPhaseChangeOrWhenRequested)
{
    ASSERT_TRUE(kelp::SetItem(kelp::BiosItemId::kPhaseMode, 2));
    AdvanceSettings store;
    EXPECT_FALSE(store.IsCalibrationNeeded()) << "no phase stored, no request";

    store.SetPhaseMode(3);
    EXPECT_TRUE(store.IsCalibrationNeeded());
    store.SetPhaseMode(2);
    EXPECT_FALSE(store.IsCalibrationNeeded());

    store.RequestCalibration(true, 1);
    EXPECT_EQ(ReadDword(HKEY_CURRENT_USER, kAdvance, "CalibrationNeeded"), 1u);
    EXPECT_EQ(ReadDword(HKEY_CURRENT_USER, kAdvance, "CalibrationReason"), 1u);
    EXPECT_TRUE(store.IsCalibrationNeeded());
    store.SetCalibrationNeeded(false);
    store.SetPhaseMode(3);
    EXPECT_TRUE(store.IsCalibrationNeeded()) << "the phase decides despite the cleared request";
}

TEST_F(AdvanceSettingsTest, ProfileMismatchRequestsCalibrationOnlyWithAcpiV3)
{
    AdvanceSettings store;
    PlugCalibrationProfileCheck(ReportProfileMismatch);
    for (auto [acpiV3, mismatch] : {std::pair{false, true}, {true, false}, {true, true}}) {
        hardware.acpiV3 = acpiV3;
        profileMismatch = mismatch;
        store.CheckCalibrationProfileAtStart();
        const auto expected = acpiV3 && mismatch ? std::optional<DWORD>{1} : std::nullopt;
        EXPECT_EQ(ReadDword(HKEY_CURRENT_USER, kAdvance, "CalibrationNeeded"), expected);
        EXPECT_EQ(ReadDword(HKEY_CURRENT_USER, kAdvance, "CalibrationReason"), expected);
    }
}
