// The exit leaves the fans as High Performance has them, whatever a mode
// change still in flight was doing, and never ends the process in the
// middle of a Super-I/O access sequence.

#include "app/PrivateMessages.h"
#include "tests/exit/BusyProgramRig.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>

using namespace exittest;
using namespace programtest;

namespace {
constexpr DWORD kHungExitMs = 10000;

void PostExit(const Program& program)
{
    PostMessageA(program.Window(), kMsgExit, kMessageTag, 0);
}

constexpr uint32_t kCpuFanControl = 0x04070010;
constexpr uint32_t kChassisFanControl = 0x04070070;

bool GearFlagIs(DWORD value)
{
    return Eventually([&] { return Flag("Gear_Flag") == value; }, kModeChangeMs);
}

// A running program driving the fans itself, with quiet fans in Max Power
// Saving. It knows what the fans look like once handed back from there,
// and stands in Max Power Saving with the quiet profile.
class FanExitTest : public testing::Test {
protected:
    void SetUp() override
    {
        cpuFanControl_ = BoardItem(kCpuFanControl);
        chassisFanControl_ = BoardItem(kChassisFanControl);
        ResetProgramRegistry();
        Tuning modes[5];
        modes[3].fan = 1;
        WriteTunings(modes);
        SetBoardItem(kCpuFanControl, 0);
        SetBoardItem(kChassisFanControl, 0);
        program_ = std::make_unique<Program>("");
        ASSERT_TRUE(program_->Started());
        ASSERT_TRUE(WaitForLevel(0));
        ToMaxSaving();
        PostMessageA(program_->Window(), kMsgHighPerformance, 0, 0);
        ASSERT_TRUE(WaitForLevel(0));
        ASSERT_TRUE(GearFlagIs(0));
        handedBack_ = SuperIoRegisters();
        ToMaxSaving();
        ASSERT_NE(SuperIoRegisters(), handedBack_) << "no quiet fans";
    }
    void TearDown() override
    {
        ClearBoardKnob("tamsel_set_level_delay_ms");
        ClearBoardKnob("sio.delay_ms");
        program_.reset();
        SetBoardItem(kCpuFanControl, cpuFanControl_);
        SetBoardItem(kChassisFanControl, chassisFanControl_);
    }

    void ToMaxSaving()
    {
        PostMessageA(program_->Window(), kMsgMaxSaving, 0, 0);
        ASSERT_TRUE(WaitForLevel(2));
        ASSERT_TRUE(GearFlagIs(0));
    }

    std::unique_ptr<Program> program_;
    std::map<uint32_t, uint8_t> handedBack_;
    uint32_t cpuFanControl_ = 1, chassisFanControl_ = 1;
};
} // namespace

// The change back to High Performance is stuck in the firmware when the
// exit ends the process: the exit hands the fans back itself.
TEST_F(FanExitTest, ExitCuttingOffTheChangeToHighPerformanceHandsTheFansBack)
{
    SetBoardKnob("tamsel_set_level_delay_ms", "15000");
    PostMessageA(program_->Window(), kMsgHighPerformance, 0, 0);
    ASSERT_TRUE(GearFlagIs(1));
    PostExit(*program_);
    ASSERT_TRUE(program_->Process().WaitForExit(kHungExitMs));
    EXPECT_EQ(SuperIoRegisters(), handedBack_) << "the fans are left on the quiet profile";
}

// On a slow bus the change's fan sequences outlast the exit's wait: the
// process must not end inside one, which would leave the chip half
// programmed and the vendor's Super-I/O lock taken for every other program.
TEST_F(FanExitTest, ExitNeverEndsTheProcessInsideAChipSequence)
{
    HANDLE sioLock = CreateEventA(nullptr, FALSE, TRUE, "VANTOR_SIO_MUTEX");
    ASSERT_NE(sioLock, nullptr);
    SetBoardKnob("sio.delay_ms", "300");
    const auto before = SuperIoRegisters();
    PostMessageA(program_->Window(), kMsgHighPerformance, 0, 0);
    ASSERT_TRUE(Eventually([&] { return SuperIoRegisters() != before; }, kModeChangeMs)) << "no fan sequence began";
    PostExit(*program_);
    // The exit's wait, the sequence under way, and the exit's own hand-back.
    ASSERT_TRUE(program_->Process().WaitForExit(40000));
    ClearBoardKnob("sio.delay_ms");
    EXPECT_EQ(WaitForSingleObject(sioLock, 0), WAIT_OBJECT_0) << "the Super-I/O lock is left taken";
    SetEvent(sioLock);
    CloseHandle(sioLock);
    EXPECT_EQ(SuperIoRegisters(), handedBack_);
}
