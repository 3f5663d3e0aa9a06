// The savings history fed by the real energy ticks on the virtual board: an
// hour of ticks across midnight gives two days whose savings per mode are
// what the accounts grew by; the stored days survive a monitor that ends
// without saving, and damaged stored days load as a sane history.

#include "engine/CalendarDay.h"
#include "engine/SavingsHistoryCodec.h"
#include "tests/monitor/MonitorRig.h"
#include "tests/pipes/PipeTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

using namespace geartest;
using namespace monitortest;
using kelp::BiosItemId::kAutoGear;
using kelp::BiosItemId::kCpuPower;

namespace {

constexpr char kHistoryKey[] = "Software\\VANTOR\\Tamsel3\\Ordun\\History";
const int kFirstDay = calendar::DayNumber({2026, 12, 31});

struct ClockedRig {
    ClockedRig()
    {
        monitor.PlugHost(&host);
        monitor.PlugIntoEngine();
    }
    int today = kFirstDay;
    GearRig gear;
    FakeGpu gpu;
    FakeHost host;
    CpuPowerMonitor monitor{*gear.gear, gpu, [this] { return today; }};
};

void StoreDays(const std::vector<uint8_t>& bytes)
{
    ASSERT_EQ(RegSetKeyValueA(HKEY_LOCAL_MACHINE, kHistoryKey, "Days", REG_BINARY, bytes.data(), DWORD(bytes.size())),
              ERROR_SUCCESS);
}

class SavingsHistoryTicks : public GearTest {
protected:
    void SetUp() override
    {
        GearTest::SetUp();
        SetBoardValue(kCpuPower, 0x0028); // 40 W
    }
};

// The level the test runs in each ten-minute stretch, and Auto's gear.
struct Stretch {
    int level;
    int modeIndex;
    uint32_t autoGear;
};
constexpr Stretch kStretches[] = {{2, 3, 0}, {1, 2, 0}, {0x8000, 4, 3}, {0x4000, 0, 0}, {0x8000, 4, 2}, {2, 3, 0}};

TEST_F(SavingsHistoryTicks, AnHourAcrossMidnightAddsUpToTheAccountsPerDayAndMode)
{
    constexpr int kTicks = 732; // an hour and a minute of 5 s ticks
    constexpr int kMidnight = 300;
    std::array<std::array<double, 5>, 2> grown{}; // by day, by mode: board and graphics card
    std::array<std::array<uint32_t, 5>, 2> seconds{};
    std::array<uint32_t, 4> autoSeconds{};
    {
        ClockedRig rig;
        rig.monitor.Start();
        const double boardStart = rig.monitor.BoardTotalSaving();
        for (int tick = 0; tick < kTicks; ++tick) {
            const Stretch& stretch = kStretches[std::min(tick / 120, 5)];
            if (tick % 120 == 0) {
                ASSERT_TRUE(rig.gear.gear->SetLevel(stretch.level));
                if (stretch.level == 0x8000) {
                    HoldAutoGear();
                    SetBoardValue(kAutoGear, stretch.autoGear);
                }
            }
            rig.today = kFirstDay + (tick >= kMidnight ? 1 : 0);
            const double before = rig.monitor.BoardTotalSaving() + rig.monitor.VgaTotalSaving();
            rig.monitor.Sample(5);
            const int day = tick >= kMidnight ? 1 : 0;
            grown[day][stretch.modeIndex] += rig.monitor.BoardTotalSaving() + rig.monitor.VgaTotalSaving() - before;
            seconds[day][stretch.modeIndex] += 5;
            if (stretch.level == 0x8000)
                autoSeconds[stretch.autoGear] += 5;
        }
        const std::vector<history::DayRecord>& days = rig.monitor.Ledger().History().Days();
        ASSERT_EQ(days.size(), 2u);
        EXPECT_EQ(days[0].day, kFirstDay);
        EXPECT_EQ(days[1].day, kFirstDay + 1);
        double boardInHistory = 0;
        for (int day = 0; day < 2; ++day) {
            for (int mode = 0; mode < 5; ++mode) {
                EXPECT_NEAR(days[day].SavedIn(mode), grown[day][mode], 1e-9) << "day " << day << " mode " << mode;
                EXPECT_EQ(days[day].modeSeconds[mode], seconds[day][mode]) << "day " << day << " mode " << mode;
                boardInHistory += days[day].boardSaved[mode];
            }
            EXPECT_NEAR(days[day].co2Avoided, days[day].Saved() * 615, 1e-6);
        }
        EXPECT_NEAR(boardInHistory, rig.monitor.BoardTotalSaving() - boardStart, 1e-9);
        EXPECT_GT(grown[0][4], 0) << "Auto at Max Power Saving saves";
        EXPECT_EQ(days[1].SavedIn(0), 0) << "Turbo saves nothing";
        EXPECT_NEAR(days[0].cpuUsed + days[1].cpuUsed, 40.0 * kTicks * 5 / 3600, 1e-9);
        EXPECT_EQ(days[0].autoGearSeconds[3] + days[1].autoGearSeconds[3], autoSeconds[3]);
        EXPECT_EQ(days[1].autoGearSeconds[2], autoSeconds[2]);

        // The last write came with the 732nd tick; five more are not written
        // yet: a monitor that ends now, as a killed program would, loses them
        // and nothing before them.
        for (int tick = 0; tick < 5; ++tick)
            rig.monitor.Sample(5);
    }
    ClockedRig restarted;
    restarted.today = kFirstDay + 1;
    pipetest::TraceCapture traces;
    restarted.monitor.Start();
    EXPECT_EQ(traces.Count("[SavingsHistory]"), 0u);
    const std::vector<history::DayRecord>& days = restarted.monitor.Ledger().History().Days();
    ASSERT_EQ(days.size(), 2u);
    for (int day = 0; day < 2; ++day)
        for (int mode = 0; mode < 5; ++mode)
            EXPECT_NEAR(days[day].SavedIn(mode), grown[day][mode], 1e-9) << "day " << day << " mode " << mode;
    EXPECT_EQ(days[1].Seconds(), uint32_t(kTicks - kMidnight) * 5);
}

TEST_F(SavingsHistoryTicks, ClearingTheDisplayLeavesTheHistoryAndClearingTheHistoryStoresIt)
{
    {
        ClockedRig rig;
        rig.monitor.Start();
        ASSERT_TRUE(rig.gear.gear->SetLevel(2));
        for (int tick = 0; tick < 12; ++tick)
            rig.monitor.Sample(5);
        rig.monitor.ClearCumulative();
        ASSERT_EQ(rig.monitor.Ledger().History().Days().size(), 1u);
        EXPECT_GT(rig.monitor.Ledger().History().Days()[0].Saved(), 0);
        EXPECT_TRUE(rig.monitor.Ledger().Clear());
        EXPECT_TRUE(rig.monitor.Ledger().History().Days().empty());
    }
    ClockedRig restarted;
    restarted.monitor.Start();
    EXPECT_TRUE(restarted.monitor.Ledger().History().Days().empty());
    EXPECT_GT(restarted.monitor.BoardTotalSaving(), 0) << "the accounts keep their totals";
}

TEST_F(SavingsHistoryTicks, ClockStepsWhileRunningAreTracedAndKeepTheDaysInOrder)
{
    ClockedRig rig;
    rig.monitor.Start();
    ASSERT_TRUE(rig.gear.gear->SetLevel(2));
    pipetest::TraceCapture traces;
    rig.monitor.Sample(5);
    rig.today = kFirstDay + 40;
    rig.monitor.Sample(5);
    rig.today = kFirstDay - 3;
    rig.monitor.Sample(5);
    EXPECT_EQ(traces.Count("~~~[SavingsHistory] clock moved forward to 2027-02-09"), 1u);
    EXPECT_EQ(traces.Count("~~~[SavingsHistory] clock moved back to 2026-12-28"), 1u);
    const std::vector<history::DayRecord>& days = rig.monitor.Ledger().History().Days();
    ASSERT_EQ(days.size(), 3u);
    EXPECT_EQ(days[0].day, kFirstDay - 3);
    EXPECT_EQ(days[2].day, kFirstDay + 40);
}

TEST_F(SavingsHistoryTicks, HostileStoredDaysLoadAsASaneHistory)
{
    history::DayRecord good;
    good.day = kFirstDay - 1;
    good.boardSaved[3] = 2;
    std::vector<uint8_t> withFuture = history::EncodeHistory({good, good});
    withFuture[history::kHeaderBytes + history::kRecordBytes] = 0xFF; // a date far ahead
    withFuture[history::kHeaderBytes + history::kRecordBytes + 1] = 0x7F;
    std::vector<uint8_t> huge(history::kMaxStoredBytes + 1, 0x41);
    struct Case {
        const char* what;
        std::vector<uint8_t> bytes;
        size_t daysKept;
        const char* trace;
    };
    const Case cases[] = {
        {"a date in the future", withFuture, 1, "~~~[SavingsHistory] stored days damaged (bad date): 1 days kept"},
        {"larger than the bound", huge, 0, "~~~[SavingsHistory] stored days ignored: type 3, 108813 bytes"},
        {"garbage", {1, 2, 3}, 0, "~~~[SavingsHistory] stored days damaged (bad header): 0 days kept"},
    };
    for (const Case& c : cases) {
        StoreDays(c.bytes);
        ClockedRig rig;
        pipetest::TraceCapture traces;
        rig.monitor.Start();
        EXPECT_EQ(rig.monitor.Ledger().History().Days().size(), c.daysKept) << c.what;
        EXPECT_EQ(traces.Count(c.trace), 1u) << c.what;
        // The first write replaces the damage with the sane history.
        ASSERT_TRUE(rig.monitor.Ledger().Save());
    }
    ASSERT_EQ(RegSetKeyValueA(HKEY_LOCAL_MACHINE, kHistoryKey, "Days", REG_DWORD, "\1\0\0\0", 4), ERROR_SUCCESS);
    ClockedRig wrongType;
    pipetest::TraceCapture traces;
    wrongType.monitor.Start();
    EXPECT_TRUE(wrongType.monitor.Ledger().History().Days().empty());
    EXPECT_EQ(traces.Count("stored days ignored: type 4"), 1u);
}

TEST_F(SavingsHistoryTicks, EmissionFactorIsTheUsersOrTheDefault)
{
    {
        ClockedRig rig;
        rig.monitor.Start();
        EXPECT_EQ(rig.monitor.Ledger().Co2PerWattHour(), 615);
        EXPECT_FALSE(rig.monitor.Ledger().SetCo2PerWattHour(0));
        EXPECT_FALSE(rig.monitor.Ledger().SetCo2PerWattHour(std::nan("")));
        EXPECT_TRUE(rig.monitor.Ledger().SetCo2PerWattHour(380.4));
        ASSERT_TRUE(rig.gear.gear->SetLevel(2));
        rig.monitor.Sample(5);
        const history::DayRecord& day = rig.monitor.Ledger().History().Days().back();
        EXPECT_DOUBLE_EQ(day.co2Avoided, day.Saved() * 380);
    }
    {
        ClockedRig restarted;
        restarted.monitor.Start();
        EXPECT_EQ(restarted.monitor.Ledger().Co2PerWattHour(), 380);
        EXPECT_TRUE(restarted.monitor.Ledger().ResetCo2PerWattHour());
    }
    const DWORD hostile = 0xFFFFFFFF;
    ASSERT_EQ(RegSetKeyValueA(HKEY_LOCAL_MACHINE, kHistoryKey, "EmissionFactor", REG_DWORD, &hostile, 4),
              ERROR_SUCCESS);
    ClockedRig rig;
    pipetest::TraceCapture traces;
    rig.monitor.Start();
    EXPECT_EQ(rig.monitor.Ledger().Co2PerWattHour(), 615);
    EXPECT_EQ(traces.Count("~~~[SavingsHistory] emission factor 4294967295 ignored"), 1u);
}

} // namespace
