// The graphics-card side of the monitor: the companion's capability and
// saving factors, keeping its mode in step with the board's, and the pipe
// events that report its changes.

#include "ipc/VgaServer.h"
#include "kelp/vantor/BiosItems.h"
#include "tests/monitor/MonitorRig.h"
#include "tests/pipes/PipeTestSupport.h"

#include <gmock/gmock.h>

using namespace geartest;
using namespace monitortest;
using kelp::BiosItemId::kAutoGear;
using testing::ElementsAre;

namespace {

constexpr int kAuto = 0x8000;
constexpr char kOrdunKey[] = "Software\\VANTOR\\Tamsel3\\Ordun";

std::optional<DWORD> OrdunFlag(const char* name)
{
    DWORD value = 0;
    DWORD size = sizeof value;
    if (RegGetValueA(HKEY_LOCAL_MACHINE, kOrdunKey, name, RRF_RT_REG_DWORD, nullptr, &value, &size) != ERROR_SUCCESS)
        return std::nullopt;
    return value;
}

std::vector<double> Factors(const CpuPowerMonitor& monitor)
{
    return {monitor.VgaFactor(0), monitor.VgaFactor(1), monitor.VgaFactor(2), monitor.VgaFactor(3)};
}

using VgaCapability = GearTest;

TEST_F(VgaCapability, QueryFillsFlagsPowerFactorsAndRegistry)
{
    MonitorRig rig;
    rig.gpu.capability = {0x07, 45000};
    rig.monitor.RefreshVgaCapability();
    EXPECT_TRUE(rig.monitor.IsVgaOrdunSupported());
    EXPECT_TRUE(rig.monitor.IsVgaAutoSupported());
    EXPECT_TRUE(rig.monitor.IsVgaMonitorSupported());
    EXPECT_TRUE(rig.monitor.IsVgaSyncEnabled());
    EXPECT_TRUE(rig.monitor.IsVgaConnected());
    EXPECT_DOUBLE_EQ(rig.monitor.VgaPower(), 45);
    EXPECT_THAT(Factors(rig.monitor), ElementsAre(0, 0, 0.15, 0.3));
    for (const char* flag : {"OrdunSupported", "AutoSupported", "SyncEnabled", "MonitorSupported"})
        EXPECT_EQ(OrdunFlag(flag), 1u) << flag;
    EXPECT_THAT(rig.host.buttonEnabled, ElementsAre(false)) << "the card saves: its own button is off";
    EXPECT_EQ(rig.host.dialRedraws, 1);
}

TEST_F(VgaCapability, FailedQueryKeepsFactorsAndMarksTheFeatureUnsupported)
{
    MonitorRig rig;
    rig.monitor.RefreshVgaCapability();
    rig.gpu.capabilityAnswered = false;
    rig.gpu.capability = {0x07, 1000};
    rig.monitor.RefreshVgaCapability();
    EXPECT_FALSE(rig.monitor.IsVgaOrdunSupported());
    EXPECT_EQ(OrdunFlag("OrdunSupported"), 0u);
    EXPECT_DOUBLE_EQ(rig.monitor.VgaPower(), 30);
    EXPECT_THAT(Factors(rig.monitor), ElementsAre(0, 0, 0.15, 0.3));
}

TEST_F(VgaCapability, IncompleteFactorAnswersLeaveTheFactors)
{
    MonitorRig rig;
    rig.monitor.RefreshVgaCapability();
    rig.gpu.savings = {{0x4000, 100}, {0, 200}, {2, 4000}}; // no answer for Medium
    rig.monitor.RefreshVgaCapability();
    EXPECT_THAT(Factors(rig.monitor), ElementsAre(0, 0, 0.15, 0.3));
    rig.gpu.savings[1] = 2500;
    rig.monitor.RefreshVgaCapability();
    EXPECT_THAT(Factors(rig.monitor), ElementsAre(0.01, 0.02, 0.25, 0.4));
}

TEST_F(VgaCapability, SavingIsActiveOnlyWhenConnectedAndSynchronised)
{
    MonitorRig rig;
    EXPECT_FALSE(rig.monitor.IsVgaSavingActive(1)) << "nothing connected";
    rig.monitor.RefreshVgaCapability();
    EXPECT_FALSE(rig.monitor.IsVgaSavingActive(0));
    EXPECT_FALSE(rig.monitor.IsVgaSavingActive(0x4000));
    EXPECT_TRUE(rig.monitor.IsVgaSavingActive(1));
    EXPECT_TRUE(rig.monitor.IsVgaSavingActive(kAuto));
    EXPECT_TRUE(rig.monitor.IsVgaSavingActive(255));

    rig.gpu.savings = {{0x4000, 500}, {0, 0}, {1, 100}, {2, 0}};
    rig.monitor.RefreshVgaCapability();
    EXPECT_TRUE(rig.monitor.IsVgaSavingActive(0x4000));
    EXPECT_FALSE(rig.monitor.IsVgaSavingActive(kAuto)) << "1 % counts as no saving";

    rig.gpu.sync = false;
    rig.monitor.OnVgaSyncChanged();
    EXPECT_FALSE(rig.monitor.IsVgaSavingActive(0x4000));
}

using VgaModeSync = GearTest;

TEST_F(VgaModeSync, DisabledSyncSendsNothing)
{
    MonitorRig rig;
    rig.gpu.sync = false;
    rig.monitor.RefreshVgaCapability();
    rig.monitor.SyncVgaMode();
    rig.monitor.OnModeRefresh();
    rig.monitor.OnVgaConnected();
    EXPECT_TRUE(rig.gpu.sent.empty());
}

TEST_F(VgaModeSync, FixedModesAndAutoWithAnAutoCapableCard)
{
    MonitorRig rig;
    rig.monitor.PlugIntoEngine();
    rig.gpu.capability = {0x07, 30000};
    rig.monitor.RefreshVgaCapability();
    for (int level : {1, 2, 0x4000, 0, kAuto}) {
        ASSERT_TRUE(rig.gear.gear->SetLevel(level));
        rig.monitor.SyncVgaMode();
    }
    EXPECT_THAT(rig.gpu.sent, ElementsAre(1, 2, 0x4000, 0, 0x8000));
    rig.monitor.OnModeRefresh();
    EXPECT_EQ(rig.gpu.sent.size(), 5u) << "an Auto-capable card follows by itself";
}

TEST_F(VgaModeSync, CompanionWithoutAutoFollowsTheRunningGearAtMostMedium)
{
    pipetest::PeerProcess companion("vgacompanion.exe", "--caps 3 --sync 1 --mode 0");
    ASSERT_TRUE(companion.IsRunning());
    ASSERT_TRUE(pipetest::WaitForPipe("VANTOR Ordun VGA PIPE", 10000));
    geartest::GearRig gear;
    CpuPowerMonitor monitor(*gear.gear, kelp::VgaServer::Instance());
    monitor.PlugIntoEngine();
    monitor.RefreshVgaCapability();
    ASSERT_TRUE(monitor.IsVgaSyncEnabled());
    ASSERT_FALSE(monitor.IsVgaAutoSupported());
    ASSERT_TRUE(gear.gear->SetLevel(kAuto));
    HoldAutoGear();

    std::vector<uint32_t> received;
    for (uint32_t running : {3u, 2u, 1u}) {
        SetBoardValue(kAutoGear, running);
        monitor.SyncVgaMode();
        uint32_t mode = 0;
        ASSERT_TRUE(kelp::VgaServer::Instance().GetVgaMode(mode));
        received.push_back(mode);
    }
    EXPECT_THAT(received, ElementsAre(0x80000001u, 0x80000001u, 0x80000000u));
    monitor.OnModeRefresh();
    SetBoardValue(kAutoGear, 3);
    monitor.OnModeRefresh();
    uint32_t mode = 0;
    ASSERT_TRUE(kelp::VgaServer::Instance().GetVgaMode(mode));
    EXPECT_EQ(mode, 0x80000001u) << "the refresh request re-sends for a card without Auto";
    companion.Control("quit");
}

using VgaPipeEvents = GearTest;

TEST_F(VgaPipeEvents, ConnectSyncsUnlessTheStartUpRestoreIsPending)
{
    MonitorRig rig;
    ASSERT_TRUE(rig.gear.gear->SetLevel(1));
    rig.host.restorePending = true;
    rig.monitor.OnVgaConnected();
    EXPECT_TRUE(rig.monitor.IsVgaConnected());
    EXPECT_TRUE(rig.gpu.sent.empty());
    rig.host.restorePending = false;
    rig.monitor.OnVgaConnected();
    EXPECT_THAT(rig.gpu.sent, ElementsAre(1));

    rig.monitor.OnVgaDisconnected();
    EXPECT_FALSE(rig.monitor.IsVgaConnected());
    EXPECT_EQ(rig.host.buttonEnabled.back(), true);
}

TEST_F(VgaPipeEvents, SyncChangeIsTracedAndApplied)
{
    MonitorRig rig;
    rig.monitor.RefreshVgaCapability();
    pipetest::TraceCapture traces;
    rig.gpu.sync = false;
    rig.monitor.OnVgaSyncChanged();
    rig.gpu.sync = true;
    rig.monitor.OnVgaSyncChanged();
    EXPECT_EQ(traces.Count("~~~Vga and MB Sync Disable"), 1u);
    EXPECT_EQ(traces.Count("~~~Vga and MB Sync Enable"), 1u);
    EXPECT_EQ(traces.Count("~~~[CpuPowerMonitor] Set Vga to mode 0"), 1u);
    EXPECT_THAT(rig.gpu.sent, ElementsAre(0));
}

TEST_F(VgaPipeEvents, ModeChangeTakesTheCardsModeIndex)
{
    MonitorRig rig;
    EXPECT_EQ(rig.monitor.VgaModeIndex(), 1);
    rig.gpu.mode = 2;
    rig.monitor.OnVgaModeChanged();
    EXPECT_EQ(rig.monitor.VgaModeIndex(), 3);
    rig.gpu.mode = 0x4000;
    rig.gpu.modeAnswered = false;
    rig.monitor.OnVgaModeChanged();
    EXPECT_EQ(rig.monitor.VgaModeIndex(), 3) << "no answer: unchanged";
    rig.gpu.modeAnswered = true;
    rig.gpu.mode = kAuto;
    rig.monitor.OnVgaModeChanged();
    EXPECT_EQ(rig.monitor.VgaModeIndex(), 1);
}

} // namespace
