// Mode requests end to end: the worker on the virtual board's power gear,
// the per-mode extras, the graphics companion and the serialisation of
// quick successive requests.

#include "engine/AdvanceSettings.h"
#include "engine/CpuPowerMonitor.h"
#include "engine/IdleWatcher.h"
#include "engine/ModeModel.h"
#include "framework/TThread.h"
#include "ipc/OrdunProtocol.h"
#include "ipc/VgaServer.h"
#include "kelp/vantor/BiosItems.h"
#include "tests/board/support/BoardTestSupport.h"
#include "tests/fan/FanTestBoard.h"
#include "tests/mode/ModeBoard.h"
#include "tests/pipes/PipeTestSupport.h"

#include <gtest/gtest.h>

using namespace modetest;
using kelp::BiosItemId::kChassisFanControl;
using kelp::BiosItemId::kCpuFanControl;
using kelp::BiosItemId::kFanBaseTemperature;

namespace {
constexpr uint32_t kGearLevelItem = 0x0B060001;
constexpr uint32_t kOverclockState = 0x09080000;

bool GearFlagSet()
{
    return !AdvanceSettings::Instance().IsGear_FlagClear();
}

class ModeRequestTest : public ModeBoardTest {};

TEST_F(ModeRequestTest, FullApplySetsLevelLastModeAndExtrasUnderTheCrashGuard)
{
    StoreExtras(ModeIndex::Medium, 60000, 900, 0);
    IdleWatcher::Instance().SetEnabled(false);
    SetKnob("tamsel_set_level_delay_ms", "1500");

    const double start = pipetest::NowMs();
    SetModeNoVga(GearLevel::MediumSaving, true);
    EXPECT_LT(pipetest::NowMs() - start, 700.0); // the request does not wait for the change
    Sleep(200);
    EXPECT_TRUE(GearFlagSet());
    EXPECT_EQ(refreshes.count, 0);

    ASSERT_TRUE(WaitForModeChange(10000));
    EXPECT_FALSE(GearFlagSet());
    EXPECT_EQ(BoardValue(kGearLevelItem), uint32_t(GearLevel::MediumSaving));
    EXPECT_EQ(LastMode(), std::optional<DWORD>(GearLevel::MediumSaving));
    EXPECT_EQ(Knob("spindown_timeout"), std::optional<std::string>("900"));
    EXPECT_TRUE(IdleWatcher::Instance().IsEnabled());
    EXPECT_EQ(IdleWatcher::Instance().Timeout(), 60000u);
    EXPECT_EQ(refreshes.count, 1);
    EXPECT_NE(refreshes.lastThread, GetCurrentThreadId());
}

TEST_F(ModeRequestTest, ItemOnlyApplyLeavesLastModeAndExtrasAlone)
{
    StoreExtras(ModeIndex::Low, 120000, 600, 1);
    SetBoardValue(kCpuFanControl, 0); // the fans would be taken over by a full apply
    SetKnob("spindown_timeout", "untouched");
    IdleWatcher::Instance().SetEnabled(false);
    fantest::ClearAccessLog();
    SetKnob("tamsel_set_level_delay_ms", "500");

    SetModeNoVga(GearLevel::MaxSaving, false);
    Sleep(200);
    EXPECT_TRUE(GearFlagSet());
    ASSERT_TRUE(WaitForModeChange(10000));

    EXPECT_FALSE(GearFlagSet());
    EXPECT_EQ(BoardValue(kGearLevelItem), uint32_t(GearLevel::MaxSaving));
    EXPECT_EQ(LastMode(), std::nullopt);
    EXPECT_EQ(Knob("spindown_timeout"), std::optional<std::string>("untouched"));
    EXPECT_FALSE(IdleWatcher::Instance().IsEnabled());
    EXPECT_TRUE(fantest::RegisterWrites(fantest::AccessLog()).empty());
    EXPECT_EQ(refreshes.count, 1);
}

TEST_F(ModeRequestTest, ShortIdleTimeoutTurnsTheWatcherOff)
{
    StoreExtras(ModeIndex::Turbo, 59999, 0, 0);
    StoreExtras(ModeIndex::Medium, 60000, 0, 0);
    SetModeNoVga(GearLevel::MediumSaving, true);
    ASSERT_TRUE(WaitForModeChange(10000));
    EXPECT_TRUE(IdleWatcher::Instance().IsEnabled());

    SetModeNoVga(GearLevel::Turbo, true);
    ASSERT_TRUE(WaitForModeChange(10000));
    EXPECT_FALSE(IdleWatcher::Instance().IsEnabled());
    EXPECT_EQ(LastMode(), std::optional<DWORD>(GearLevel::Turbo));
}

TEST_F(ModeRequestTest, OverclockedSystemDropsEveryRequest)
{
    SetModeNoVga(GearLevel::HighPerformance, true);
    ASSERT_TRUE(WaitForModeChange(10000));
    RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, "Software\\VANTOR\\Tamsel3", "LastMode");
    refreshes.count = 0;

    SetBoardValue(kOverclockState, 0);
    SetModeNoVga(GearLevel::MaxSaving, true);
    SetMode(GearLevel::Turbo, false);
    ASSERT_TRUE(WaitForModeChange(10000));
    Sleep(200);
    EXPECT_EQ(BoardValue(kGearLevelItem), uint32_t(GearLevel::HighPerformance));
    EXPECT_EQ(LastMode(), std::nullopt);
    EXPECT_EQ(refreshes.count, 0);
}

TEST_F(ModeRequestTest, LevelsThatAreNoModeAreNotApplied)
{
    SetModeNoVga(GearLevel::HighPerformance, true);
    ASSERT_TRUE(WaitForModeChange(10000));
    refreshes.count = 0;

    SetModeNoVga(GearLevel::Unknown, true);
    SetModeNoVga(7, false);
    ASSERT_TRUE(WaitForModeChange(10000));
    EXPECT_EQ(BoardValue(kGearLevelItem), uint32_t(GearLevel::HighPerformance));
    EXPECT_EQ(LastMode(), std::optional<DWORD>(GearLevel::HighPerformance));
    EXPECT_EQ(refreshes.count, 0);
}

// The second request waits for the first change to end, but never longer
// than 3000 ms.
TEST_F(ModeRequestTest, QuickRequestsRunOneAfterTheOther)
{
    SetKnob("tamsel_set_level_delay_ms", "1000");
    SetModeNoVga(GearLevel::MediumSaving, false);
    const double start = pipetest::NowMs();
    SetModeNoVga(GearLevel::MaxSaving, false);
    const double waited = pipetest::NowMs() - start;
    EXPECT_GE(waited, 850.0);
    EXPECT_LT(waited, 2500.0); // the first change's end was noticed, not the time-out
    EXPECT_EQ(refreshes.count, 1);
    EXPECT_EQ(BoardValue(kGearLevelItem), uint32_t(GearLevel::MediumSaving));
    ASSERT_TRUE(WaitForModeChange(10000));
    EXPECT_EQ(BoardValue(kGearLevelItem), uint32_t(GearLevel::MaxSaving));
    EXPECT_EQ(refreshes.count, 2);
}

// A refresh that hands its work to the main thread while that thread waits
// in the next request.
class SynchronizedRefresh final : public ModeChangeObserver {
public:
    void RefreshIcon() override
    {
        TThread::Synchronize([this] { ranOn = GetCurrentThreadId(); });
    }
    std::atomic<DWORD> ranOn{0};
};

TEST_F(ModeRequestTest, WaitingRequestServesCallsTheWorkerSendsToTheMainThread)
{
    SynchronizedRefresh refresh;
    PlugModeChangeObserver(&refresh);
    SetKnob("tamsel_set_level_delay_ms", "300");
    SetModeNoVga(GearLevel::MediumSaving, false);
    const double start = pipetest::NowMs();
    SetModeNoVga(GearLevel::HighPerformance, false);
    EXPECT_LT(pipetest::NowMs() - start, 2500.0);
    EXPECT_EQ(refresh.ranOn, GetCurrentThreadId());
    ASSERT_TRUE(WaitForModeChange(10000));
    PlugModeChangeObserver(&refreshes);
}

// The wait for the previous change takes in the main thread's quit
// message with the thread-end notices; the message loop must still get it.
TEST_F(ModeRequestTest, WaitingKeepsTheQuitMessageForTheMessageLoop)
{
    SetKnob("tamsel_set_level_delay_ms", "300");
    SetModeNoVga(GearLevel::MediumSaving, false);
    PostQuitMessage(7);
    SetModeNoVga(GearLevel::HighPerformance, false);
    PostQuitMessage(8);
    ASSERT_TRUE(WaitForModeChange(10000));

    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the quit message was lost";
    EXPECT_EQ(msg.wParam, 8u);
}

// The exit waits for a running change on the main thread; the wait must
// end when the change does, not when its time is up.
TEST_F(ModeRequestTest, WaitingForTheRunningChangeEndsWithIt)
{
    SetKnob("tamsel_set_level_delay_ms", "500");
    SetModeNoVga(GearLevel::MediumSaving, false);
    const double start = pipetest::NowMs();
    ASSERT_TRUE(WaitForModeChange(10000));
    EXPECT_LT(pipetest::NowMs() - start, 5000.0);
    EXPECT_EQ(BoardValue(kGearLevelItem), uint32_t(GearLevel::MediumSaving));
}

TEST_F(ModeRequestTest, HangingChangeHoldsTheNextRequestForAtMostThreeSeconds)
{
    SetKnob("tamsel_set_level_delay_ms", "4500");
    SetModeNoVga(GearLevel::MediumSaving, false);
    const double start = pipetest::NowMs();
    SetModeNoVga(GearLevel::Turbo, false);
    const double waited = pipetest::NowMs() - start;
    EXPECT_GE(waited, 2900.0);
    EXPECT_LT(waited, 4000.0);
    EXPECT_EQ(refreshes.count, 0); // the first change is still running
    EXPECT_FALSE(WaitForModeChange(100));

    ASSERT_TRUE(WaitForModeChange(15000));
    // The first change, overtaken in its level write, shows no icon of its own.
    EXPECT_EQ(refreshes.count, 1);
    EXPECT_EQ(BoardValue(kGearLevelItem), uint32_t(GearLevel::Turbo));
    EXPECT_FALSE(GearFlagSet());
}

// The emulated chip's hardware-monitor registers, bank 0.
uint8_t Reg(uint8_t offset)
{
    return fantest::Register(0, offset);
}

class FanProfileTest : public ModeBoardTest {
protected:
    void SetUp() override
    {
        ModeBoardTest::SetUp();
        fantest::ClearFanStore();
        const char* names[] = {"Temp0", "Temp1", "Temp2", "Speed0", "Speed1", "Speed2"};
        const unsigned long values[] = {40, 55, 70, 60, 150, 250};
        for (int i = 0; i < 6; ++i)
            fantest::WriteFanStoreValue(names[i], values[i]);
        PresetRegisters();
        // The board hands both fans to the program.
        SetBoardValue(kCpuFanControl, 0);
        SetBoardValue(kChassisFanControl, 0);
        fantest::ClearAccessLog();
    }

    static void PresetRegisters()
    {
        for (uint8_t offset = 0x6F; offset <= 0x7A; ++offset)
            fantest::SetRegister(0, offset, 0x11);
        fantest::SetRegister(0, 3, 0x11);
        fantest::SetRegister(0, 4, 0xC5);
        fantest::SetRegister(0, 6, 0x11);
        fantest::SetRegister(0, 0x68, 0x11);
    }

    // Applies the level with the quiet (fan 1) or normal (fan 0) profile.
    void Apply(int level, uint32_t fan)
    {
        StoreExtras(LevelToIndex(level), 0, 0, fan);
        SetModeNoVga(level, true);
        ASSERT_TRUE(WaitForModeChange(10000));
    }
};

TEST_F(FanProfileTest, QuietProfileProgramsTheStoredCurveAndChassisCruise)
{
    pipetest::TraceCapture traces;
    Apply(GearLevel::MediumSaving, 1);
    // The curve 40/60, 55/150, 70/250 with its midpoints.
    const uint8_t curve[] = {40, 47, 55, 62, 70, 71, 60, 105, 150, 200, 250, 0xFF};
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(Reg(uint8_t(0x6F + i)), curve[i]) << "register " << std::hex << 0x6F + i;
    const uint8_t target = uint8_t(BoardValue(kFanBaseTemperature) + 10);
    EXPECT_EQ(Reg(3), 0x9B);
    EXPECT_EQ(Reg(6), target);
    EXPECT_EQ(Reg(0x68), 10);
    EXPECT_EQ(Reg(4), 0xC5 | 0x30);
    EXPECT_EQ(traces.Count("~~~Set CPU Fan User mode for Tamsel 28 3c 37 96 46 fa\r\n"), 1u);
    char chassis[80];
    snprintf(chassis, sizeof chassis, "~~~Set Chassis Fan Silent mode for Tamsel %x a\r\n", unsigned(target));
    EXPECT_EQ(traces.Count(chassis), 1u);
}

TEST_F(FanProfileTest, MaxPowerSavingStopsTheChassisFanInstead)
{
    pipetest::TraceCapture traces;
    Apply(GearLevel::MaxSaving, 1);
    EXPECT_EQ(Reg(0x6F), 40); // the CPU fan gets its curve all the same
    EXPECT_EQ(Reg(3), 0);
    EXPECT_EQ(Reg(4), 0xC5 & 0xCF);
    EXPECT_EQ(Reg(6), 0x11);
    EXPECT_EQ(traces.Count("Chassis Fan Silent"), 0u);
}

TEST_F(FanProfileTest, NormalProfileHandsTheFansBack)
{
    Apply(GearLevel::MediumSaving, 1);
    Apply(GearLevel::HighPerformance, 0);
    for (uint8_t offset = 0x6F; offset <= 0x74; ++offset)
        EXPECT_EQ(Reg(offset), 0) << std::hex << int(offset);
    for (uint8_t offset = 0x75; offset <= 0x7A; ++offset)
        EXPECT_EQ(Reg(offset), 0xFF) << std::hex << int(offset);
    EXPECT_EQ(Reg(3), 0xFF);
    EXPECT_EQ(Reg(4), 0xC5 & 0xCF);
}

TEST_F(FanProfileTest, FansTheBoardControlsOrOlderFanControlAreLeftAlone)
{
    SetBoardValue(kCpuFanControl, 1);
    SetBoardValue(kChassisFanControl, 1);
    Apply(GearLevel::MediumSaving, 1);
    Apply(GearLevel::HighPerformance, 0);
    EXPECT_TRUE(fantest::RegisterWrites(fantest::AccessLog()).empty());

    SetBoardValue(kCpuFanControl, 0);
    SetBoardValue(kChassisFanControl, 0);
    SetKnob("tamsel_ventry_three", "0");
    Apply(GearLevel::MediumSaving, 1);
    EXPECT_TRUE(fantest::RegisterWrites(fantest::AccessLog()).empty());
    EXPECT_EQ(Reg(0x6F), 0x11);
}

// Which level the tray icon shows: the one the monitor reports at the refresh.
class IconLevel final : public ModeChangeObserver {
public:
    void RefreshIcon() override
    {
        level = CpuPowerMonitor::Instance().CurrentLevel();
        ++count;
    }
    std::atomic<int> level{GearLevel::Unknown};
    std::atomic<int> count{0};
};

boardtest::ProcessResult Boardctl(const std::string& arguments)
{
    return boardtest::Run("boardctl.exe", arguments);
}

// What a change leaves standing.
struct Outcome {
    std::string fanChip; // boardctl's view of the chip's registers
    std::optional<std::string> spinDown;
    bool idleEnabled;
    uint32_t idleTimeout;
    uint32_t level;
};

Outcome Standing()
{
    const boardtest::ProcessResult sio = Boardctl("sio");
    EXPECT_EQ(sio.exitCode, 0u) << sio.err;
    IdleWatcher& idle = IdleWatcher::Instance();
    return {sio.out, Knob("spindown_timeout"), idle.IsEnabled(), idle.Timeout(), BoardValue(kGearLevelItem)};
}

// Every change starts from the same fans, spin-down time and idle watcher.
void Preset()
{
    SetKnob("spindown_timeout", "untouched");
    IdleWatcher::Instance().SetEnabled(true);
    IdleWatcher::Instance().SetTimeout(90000);
}

// Max Power Saving, whose graphics-card call takes 8 s; Turbo 4 s later.
// When both changes have ended, the board stands exactly as after a plain
// change to Turbo, with Turbo's icon and the card in Turbo too.
TEST_F(FanProfileTest, ChangeOvertakenInItsGraphicsCallAppliesNothingMore)
{
    StoreExtras(ModeIndex::Low, 120000, 1500, 1);
    StoreExtras(ModeIndex::Turbo, 0, 300, 0);
    pipetest::PeerProcess companion("vgacompanion.exe", "--mode 0");
    ASSERT_TRUE(pipetest::WaitForPipe(kelp::ordun::kVgaPipeName, 10000));
    IconLevel icon;
    PlugModeChangeObserver(&icon);

    Preset();
    ASSERT_EQ(Boardctl("knob vga_set_mode_delay_ms 8000").exitCode, 0u);
    SetMode(GearLevel::MaxSaving, true);
    Sleep(4000);
    SetMode(GearLevel::Turbo, true);
    ASSERT_TRUE(WaitForModeChange(30000));
    const Outcome overtaken = Standing();
    const int overtakenIcons = icon.count;
    const int overtakenIcon = icon.level;
    uint32_t card = 99;
    EXPECT_TRUE(kelp::VgaServer::Instance().GetVgaMode(card));

    ASSERT_EQ(Boardctl("knob vga_set_mode_delay_ms 0").exitCode, 0u);
    PresetRegisters();
    Preset();
    SetMode(GearLevel::Turbo, true);
    ASSERT_TRUE(WaitForModeChange(20000));
    const Outcome plain = Standing();
    PlugModeChangeObserver(&refreshes);
    companion.Control("quit");

    EXPECT_EQ(overtaken.fanChip, plain.fanChip);
    EXPECT_EQ(overtaken.spinDown, plain.spinDown);
    EXPECT_EQ(overtaken.idleEnabled, plain.idleEnabled);
    EXPECT_EQ(overtaken.idleTimeout, plain.idleTimeout);
    EXPECT_EQ(overtaken.level, uint32_t(GearLevel::Turbo));
    EXPECT_EQ(overtakenIcon, GearLevel::Turbo);
    EXPECT_EQ(overtakenIcons, 1) << "the overtaken change refreshed the icon";
    EXPECT_EQ(card, uint32_t(GearLevel::Turbo));
    EXPECT_EQ(LastMode(), std::optional<DWORD>(GearLevel::Turbo));
    EXPECT_FALSE(GearFlagSet());
}

class VgaFollowTest : public ModeBoardTest {};

TEST_F(VgaFollowTest, CompanionFollowsFullChangesAndAFailureIsOnlyTraced)
{
    auto companion = std::make_unique<pipetest::PeerProcess>("vgacompanion.exe", "--mode 0");
    ASSERT_TRUE(pipetest::WaitForPipe(kelp::ordun::kVgaPipeName, 10000));
    kelp::GpuLib& gpu = kelp::VgaServer::Instance();

    SetMode(GearLevel::MediumSaving, true);
    ASSERT_TRUE(WaitForModeChange(15000));
    uint32_t mode = 99;
    ASSERT_TRUE(gpu.GetVgaMode(mode));
    EXPECT_EQ(mode, uint32_t(GearLevel::MediumSaving));

    SetModeNoVga(GearLevel::MaxSaving, true);
    SetMode(GearLevel::Turbo, false); // item-only changes never reach the card
    ASSERT_TRUE(WaitForModeChange(15000));
    ASSERT_TRUE(gpu.GetVgaMode(mode));
    EXPECT_EQ(mode, uint32_t(GearLevel::MediumSaving));

    EXPECT_EQ(companion->Control("quit"), "ok");
    EXPECT_EQ(companion->WaitForExit(10000), 0);
    pipetest::TraceCapture traces;
    SetMode(GearLevel::MaxSaving, true);
    ASSERT_TRUE(WaitForModeChange(25000));
    EXPECT_EQ(traces.Count("~~~[Tamsel] Can not Set mode to VGA 2\r\n"), 1u);
    // The rest of the change went on.
    EXPECT_EQ(BoardValue(kGearLevelItem), uint32_t(GearLevel::MaxSaving));
    EXPECT_EQ(LastMode(), std::optional<DWORD>(GearLevel::MaxSaving));
    EXPECT_EQ(refreshes.count, 4);
}

} // namespace
