// CPU power readings and the energy accounts: the power word, one tick's
// saving per mode, and the accounts' persistence as 8-byte doubles.

#include "kelp/vantor/BiosItems.h"
#include "tests/monitor/MonitorRig.h"
#include "tests/pipes/PipeTestSupport.h"

#include <gmock/gmock.h>

#include <cstring>
#include <optional>

using namespace geartest;
using namespace monitortest;
using kelp::BiosItemId::kAutoGear;
using kelp::BiosItemId::kCpuPower;

namespace {

constexpr char kMbKey[] = "Software\\VANTOR\\Tamsel3\\Ordun\\MB";
constexpr char kVgaKey[] = "Software\\VANTOR\\Tamsel3\\Ordun\\VGA";
constexpr double kMaxSavingTick = 40 * 0.46 * 5 / 3600;

std::optional<double> StoredDouble(const char* key, const char* name)
{
    double value = 0;
    DWORD size = sizeof value;
    DWORD type = 0;
    if (RegGetValueA(HKEY_LOCAL_MACHINE, key, name, RRF_RT_ANY, &type, &value, &size) != ERROR_SUCCESS ||
        type != REG_BINARY || size != sizeof value)
        return std::nullopt;
    return value;
}

void StoreBinary(const char* key, const char* name, const void* data, DWORD size)
{
    ASSERT_EQ(RegSetKeyValueA(HKEY_LOCAL_MACHINE, key, name, REG_BINARY, data, size), ERROR_SUCCESS);
}

void StoreDouble(const char* key, const char* name, double value)
{
    StoreBinary(key, name, &value, sizeof value);
}

using CpuPowerReading = GearTest;

TEST_F(CpuPowerReading, WordIsExponentAndMantissaWithAFloor)
{
    EXPECT_DOUBLE_EQ(CpuPowerFromWord(0xF801), 0.5);
    EXPECT_DOUBLE_EQ(CpuPowerFromWord(0x0064), 100);
    EXPECT_DOUBLE_EQ(CpuPowerFromWord(0x7FFF), 2047.0 * 32768);
    EXPECT_DOUBLE_EQ(CpuPowerFromWord(0x8001), std::ldexp(1.0, -16));

    MonitorRig rig;
    struct Case {
        uint32_t word;
        double reported;
    };
    for (Case c : {Case{0x0000, 2.5}, Case{0xF801, 2.5}, Case{0x0064, 100}, Case{0xDDA0, 45}, Case{0x12340064, 100}}) {
        SetBoardValue(kCpuPower, c.word);
        EXPECT_DOUBLE_EQ(rig.monitor.ReadCpuPower(), c.reported) << std::hex << c.word;
    }
}

TEST_F(CpuPowerReading, UnreadableItemCountsAsZeroWord)
{
    ChangeBoard([](vboard::BoardState& state) { state.items.erase(kCpuPower); });
    MonitorRig rig;
    pipetest::TraceCapture traces;
    EXPECT_DOUBLE_EQ(rig.monitor.ReadCpuPower(), 2.5);
    EXPECT_EQ(traces.Count("~~~[CpuPowerMonitor] value:0 msb:0 lsb:0 power 0.000000"), 1u);
}

class EnergyTick : public GearTest {
protected:
    void SetUp() override
    {
        GearTest::SetUp();
        SetBoardValue(kCpuPower, 0x0028); // 40 W
    }
};

TEST_F(EnergyTick, MaxSavingCreditsBothBoardCounters)
{
    MonitorRig rig;
    rig.monitor.Start();
    ASSERT_TRUE(rig.gear.gear->SetLevel(2));
    pipetest::TraceCapture traces;
    rig.monitor.Sample(5);
    EXPECT_DOUBLE_EQ(rig.monitor.BoardPower(), 40);
    EXPECT_NEAR(rig.monitor.BoardTotalSaving(), 0.02556, 0.00001);
    EXPECT_DOUBLE_EQ(rig.monitor.BoardTotalSaving(), kMaxSavingTick);
    EXPECT_DOUBLE_EQ(rig.monitor.BoardCumulativeSaving(), kMaxSavingTick);
    EXPECT_EQ(traces.Count("~~~[EnergySaving] CurrentPower:40.000000, Ordun Staus:3, Facotr 0.460000, "
                           "CurrentSaving:0.025556, TotalSaving:0.025556, CumulativeSaving:0.025556"),
              1u);
}

TEST_F(EnergyTick, PerformanceModesSaveNothing)
{
    MonitorRig rig;
    rig.monitor.Start();
    for (int level : {0x4000, 0}) {
        ASSERT_TRUE(rig.gear.gear->SetLevel(level));
        rig.monitor.Sample(5);
    }
    EXPECT_EQ(rig.monitor.BoardTotalSaving(), 0);
    EXPECT_EQ(rig.monitor.BoardCumulativeSaving(), 0);
    EXPECT_EQ(StoredDouble(kMbKey, "TotalSaving"), 0.0) << "saved on every tick, even without saving";
}

TEST_F(EnergyTick, AutoCreditsTheGearItRuns)
{
    MonitorRig rig;
    rig.monitor.PlugIntoEngine();
    rig.monitor.Start();
    ASSERT_TRUE(rig.gear.gear->SetLevel(0x8000));
    HoldAutoGear();
    SetBoardValue(kAutoGear, 2);
    rig.monitor.Sample(5);
    EXPECT_DOUBLE_EQ(rig.monitor.BoardTotalSaving(), 40 * 0.26 * 5 / 3600);
}

TEST_F(EnergyTick, GraphicsCardAccountUsesItsOwnPowerAndFactors)
{
    MonitorRig rig;
    rig.monitor.Start(); // companion: 30 W, Max Power Saving saves 30 %
    ASSERT_TRUE(rig.gear.gear->SetLevel(2));
    rig.monitor.Sample(5);
    EXPECT_DOUBLE_EQ(rig.monitor.VgaTotalSaving(), 30 * 0.3 * 5 / 3600);
    rig.monitor.ClearCumulative();
    EXPECT_EQ(rig.monitor.VgaCumulativeSaving(), 0);
    EXPECT_EQ(rig.monitor.BoardCumulativeSaving(), 0);
    EXPECT_DOUBLE_EQ(rig.monitor.BoardTotalSaving(), kMaxSavingTick) << "the total is never cleared";
}

using EnergyPersistence = EnergyTick;

TEST_F(EnergyPersistence, AccountsAreSavedAsDoublesAndReloaded)
{
    {
        MonitorRig first;
        first.monitor.Start();
        ASSERT_TRUE(first.gear.gear->SetLevel(2));
        first.monitor.Sample(5);
        first.monitor.Sample(5);
        first.monitor.ClearCumulative();
        first.monitor.Sample(5);
    }
    ASSERT_TRUE(StoredDouble(kMbKey, "TotalSaving"));
    EXPECT_DOUBLE_EQ(*StoredDouble(kMbKey, "TotalSaving"), 3 * kMaxSavingTick);
    EXPECT_DOUBLE_EQ(*StoredDouble(kMbKey, "CumulativeSaving"), kMaxSavingTick);
    EXPECT_EQ(StoredDouble(kMbKey, "CurrentPower"), 40.0);
    EXPECT_TRUE(StoredDouble(kVgaKey, "TotalSaving"));

    MonitorRig second;
    pipetest::TraceCapture traces;
    second.monitor.Start();
    EXPECT_EQ(traces.Count("EnergySaving Load failed"), 0u);
    EXPECT_DOUBLE_EQ(second.monitor.BoardTotalSaving(), 3 * kMaxSavingTick);
    EXPECT_DOUBLE_EQ(second.monitor.BoardCumulativeSaving(), kMaxSavingTick);
    EXPECT_EQ(second.monitor.BoardPower(), 0) << "the last power is not read back";
}

TEST_F(EnergyPersistence, DamagedOrPartialAccountStartsFromZero)
{
    StoreDouble(kMbKey, "TotalSaving", 12.5);
    const float shortValue = 3;
    StoreBinary(kMbKey, "CumulativeSaving", &shortValue, sizeof shortValue);
    StoreDouble(kVgaKey, "TotalSaving", std::nan(""));
    StoreDouble(kVgaKey, "CumulativeSaving", 1);
    MonitorRig rig;
    pipetest::TraceCapture traces;
    rig.monitor.Start();
    EXPECT_EQ(traces.Count("~~~[CpuPowerMonitor] MB EnergySaving Load failed"), 1u);
    EXPECT_EQ(traces.Count("~~~[CpuPowerMonitor] VGA EnergySaving Load failed"), 1u);
    EXPECT_EQ(rig.monitor.BoardTotalSaving(), 0);
    EXPECT_EQ(rig.monitor.VgaCumulativeSaving(), 0);
}

} // namespace
