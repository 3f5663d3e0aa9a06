// Suspend and resume on a board with the newer ACPI interface, with and
// without the overclocking utility's windows about; each change counted
// once, by what asked for it.

#include "app/PowerEvents.h"
#include "board/core/BoardStore.h"
#include "engine/CpuPowerMonitor.h"
#include "engine/ModeChangeCause.h"
#include "engine/ModeRequest.h"
#include "framework/TTimer.h"
#include "tests/board/support/BoardTestSupport.h"
#include "tests/support/MessagePump.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

const std::string boardState = boardtest::UseOwnBoardState("mainwin-power");

constexpr uint32_t kGearLevel = 0x0B060001;

uint32_t BoardLevel()
{
    vboard::BoardState state;
    EXPECT_TRUE(vboard::BoardStore().Read(state));
    return state.Find(kGearLevel)->value;
}

void ApplyAndWait(int level)
{
    SetMode(level, true);
    ASSERT_TRUE(WaitForModeChange(10000));
    ASSERT_EQ(BoardLevel(), uint32_t(level));
}

uint64_t Counted(ModeChangeCause cause)
{
    return ModeChangeCounts()[size_t(cause)];
}

bool LevelBecomes(uint32_t level, DWORD timeoutMs)
{
    return PumpUntil([&] { return WaitForModeChange(0) && BoardLevel() == level; }, timeoutMs);
}

// A window of the overclocking utility, whose windows have the class
// "TMainForm".
class OtherProgramWindow {
public:
    explicit OtherProgramWindow(const char* caption)
    {
        static const bool registered = [] {
            WNDCLASSA windowClass{};
            windowClass.lpfnWndProc = DefWindowProcA;
            windowClass.hInstance = GetModuleHandleA(nullptr);
            windowClass.lpszClassName = "TMainForm";
            return RegisterClassA(&windowClass) != 0;
        }();
        if (registered)
            window_ = CreateWindowExA(0, "TMainForm", caption, WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                      GetModuleHandleA(nullptr), nullptr);
    }
    ~OtherProgramWindow() { DestroyWindow(window_); }
    HWND Handle() const { return window_; }

private:
    HWND window_ = nullptr;
};

class PowerEventsTest : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        Application().Initialize();
        CpuPowerMonitor::Instance().Start();
        ASSERT_TRUE(CpuPowerMonitor::Instance().IsAcpiV3());
    }

    std::unique_ptr<TTimer> restoreTimer = [] {
        auto timer = std::make_unique<TTimer>(nullptr);
        timer->SetEnabled(false);
        return timer;
    }();
    PowerEvents events{*restoreTimer};

    // As the main window wires its timer.
    PowerEventsTest()
    {
        restoreTimer->OnTimer = [this](TObject*) { events.RestoreGearTimerTimer(); };
    }
};

} // namespace

TEST_F(PowerEventsTest, ResumeReappliesTheLevelOfTheSuspend)
{
    const uint64_t resumes = Counted(ModeChangeCause::Resume);
    ApplyAndWait(2);
    events.OnPowerBroadcast(PBT_APMSUSPEND);
    ApplyAndWait(0);
    events.OnPowerBroadcast(PBT_APMRESUMESUSPEND);
    EXPECT_TRUE(LevelBecomes(2, 10000));

    ApplyAndWait(1);
    events.OnPowerBroadcast(PBT_APMQUERYSUSPEND);
    ApplyAndWait(0x4000);
    events.OnPowerBroadcast(PBT_APMRESUMEAUTOMATIC);
    EXPECT_TRUE(LevelBecomes(2, 10000)) << "a query is no suspend";
    EXPECT_FALSE(restoreTimer->Enabled());
    EXPECT_EQ(Counted(ModeChangeCause::Resume), resumes + 2);
}

TEST_F(PowerEventsTest, TheOverclockingHelpOpenAtSuspendDelaysTheRestore)
{
    const uint64_t resumes = Counted(ModeChangeCause::Resume), trays = Counted(ModeChangeCause::Tray);
    ApplyAndWait(1);
    {
        OtherProgramWindow help("SplintHelp");
        ASSERT_NE(help.Handle(), nullptr);
        events.OnPowerBroadcast(PBT_APMSUSPEND);
        ApplyAndWait(0x4000);
        events.OnPowerBroadcast(PBT_APMRESUMECRITICAL);
        EXPECT_TRUE(restoreTimer->Enabled());
        EXPECT_EQ(restoreTimer->Interval(), 6000u);
        PumpFor(3000);
        EXPECT_EQ(BoardLevel(), 0x4000u) << "restored before the utility had its turn";
        EXPECT_EQ(Counted(ModeChangeCause::Resume), resumes);
    }
    EXPECT_TRUE(LevelBecomes(1, 8000));
    EXPECT_FALSE(restoreTimer->Enabled());
    EXPECT_EQ(Counted(ModeChangeCause::Resume), resumes + 1);

    // The timer ran: requests for High Performance are served at once again.
    events.ReturnToHighPerformance();
    EXPECT_TRUE(LevelBecomes(0, 10000));
    EXPECT_EQ(Counted(ModeChangeCause::Tray), trays + 1) << "asked by another program's message";
}

TEST_F(PowerEventsTest, HighPerformanceRequestedWhileTheHelpWasOpenComesFromTheTimer)
{
    const uint64_t resumes = Counted(ModeChangeCause::Resume), trays = Counted(ModeChangeCause::Tray);
    ApplyAndWait(0);
    OtherProgramWindow help("SplintHelp");
    events.OnPowerBroadcast(PBT_APMSUSPEND);
    ApplyAndWait(2);
    events.ReturnToHighPerformance();
    EXPECT_TRUE(restoreTimer->Enabled());
    EXPECT_EQ(restoreTimer->Interval(), 2000u);
    EXPECT_EQ(BoardLevel(), 2u);
    // Level 0 at suspend: the timer asks for High Performance.
    EXPECT_TRUE(LevelBecomes(0, 6000));
    EXPECT_EQ(Counted(ModeChangeCause::Tray), trays + 1) << "the message's change, late";
    EXPECT_EQ(Counted(ModeChangeCause::Resume), resumes);
}

TEST_F(PowerEventsTest, TheOverclockingUtilityAtResumeAloneLeavesTheLevelAlone)
{
    ApplyAndWait(1);
    events.OnPowerBroadcast(PBT_APMSUSPEND);
    ApplyAndWait(2);
    OtherProgramWindow utility("Splint");
    events.OnPowerBroadcast(PBT_APMRESUMESUSPEND);
    const uint64_t resumes = Counted(ModeChangeCause::Resume);
    PumpFor(2000);
    EXPECT_EQ(BoardLevel(), 2u);
    EXPECT_FALSE(restoreTimer->Enabled());
    EXPECT_EQ(Counted(ModeChangeCause::Resume), resumes);
}
