// The chip drivers against the emulated Super-I/O chip: register sequences
// read back from the chip's access log and its registers.

#include "hw/FanChip.h"
#include "hw/SioAccessorBios.h"
#include "hw/SioAccessorDirect.h"
#include "hw/SmartFan627DHG.h"
#include "hw/SmartFan667.h"
#include "hw/SmartFan667Dot18.h"
#include "tests/board/support/BoardTestSupport.h"
#include "tests/fan/FanTestBoard.h"

#include <gtest/gtest.h>

#include <vector>

using fantest::RegisterWrite;
using kelp::FanChipKind;

namespace {

std::vector<RegisterWrite> Writes(uint8_t bank, uint8_t first, std::vector<uint8_t> values)
{
    std::vector<RegisterWrite> writes;
    for (uint8_t value : values)
        writes.push_back({bank, first++, value});
    return writes;
}

std::vector<RegisterWrite> Concat(std::vector<RegisterWrite> a, const std::vector<RegisterWrite>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

class FanChipTest : public testing::Test {
protected:
    void SetUp() override
    {
        fantest::LoadBoard("legacy"); // direct port access
        fantest::SetKnob("sio_cpu_temp", "60");
        // A stored user curve keeps fan libraries created here off the
        // process-wide chip driver.
        fantest::ClearFanStore();
        const char* names[] = {"Temp3", "Speed3", "Temp4", "Speed4", "Temp5", "Speed5"};
        for (const char* name : names)
            fantest::WriteFanStoreValue(name, 50);
        // The chip starts in a bank no operation uses, to see it restored.
        ports.OutPortB(0x295, 0x4E);
        ports.OutPortB(0x296, 7);
        fantest::ClearAccessLog();
    }

    // Register writes of the last operation.
    std::vector<RegisterWrite> LoggedWrites() { return fantest::RegisterWrites(fantest::AccessLog()); }

    kelp::VtIoLibrary ports{kelp::VtIoLibrary::DefaultFolders()};
    kelp::SioAccessorDirect registers{ports};
    kelp::SioLock lock;
};

TEST(FanChipSelection, IdentifierBitsPickTheFamily)
{
    EXPECT_EQ(kelp::SelectFanChip(0xB350), FanChipKind::SmartFan667Dot18);
    EXPECT_EQ(kelp::SelectFanChip(0xFFFF), FanChipKind::SmartFan667Dot18); // has the 0xB070 bits too
    EXPECT_EQ(kelp::SelectFanChip(0xB070), FanChipKind::SmartFan627DHG);
    EXPECT_EQ(kelp::SelectFanChip(0xB073), FanChipKind::SmartFan627DHG);
    EXPECT_EQ(kelp::SelectFanChip(0xB340), FanChipKind::SmartFan667); // neither pattern complete
    EXPECT_EQ(kelp::SelectFanChip(0x0667), FanChipKind::SmartFan667);
}

TEST_F(FanChipTest, IdentifierIsReadInConfigurationModeWhichIsLeftAgain)
{
    fantest::SetKnob("sio_chip", "0xB352");
    EXPECT_EQ(kelp::ReadChipId(ports, lock), 0xB352);
    EXPECT_EQ(kelp::SelectFanChip(kelp::ReadChipId(ports, lock)), FanChipKind::SmartFan667Dot18);
    // Configuration mode was left: the data port no longer answers.
    ports.OutPortB(0x2E, 0x20);
    EXPECT_EQ(ports.InPortB(0x2F), 0xFF);
}

TEST_F(FanChipTest, SmartFan667WritesRaisedCurveThenExactOneWithTemperaturesCut)
{
    kelp::SmartFan667 chip(registers, lock);
    chip.SetCpuFanCurve({40, 60, 60, 128, 120, 255});
    std::vector<RegisterWrite> second = Writes(0, 0x6F, {40, 50, 60, 80, 100, 101, 60, 94, 128, 191, 255, 0xFF});
    std::vector<RegisterWrite> first = Writes(0, 0x6F, {42, 52, 62, 82, 102, 103, 60, 94, 128, 191, 255, 0xFF});
    EXPECT_EQ(LoggedWrites(), Concat(first, second));
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(fantest::Register(0, 0x6F + i), second[i].value) << i;
    EXPECT_EQ(fantest::ChipBank(), 7);
    // At 60 degrees the programmed curve gives duty 128.
    EXPECT_EQ(chip.ReadStatus(), 128);
}

// What a person inspecting the board sees after a fan profile was written:
// boardctl's dump of the chip shows the curve in its bank.
TEST_F(FanChipTest, BoardctlDumpShowsTheProgrammedCurve)
{
    kelp::SmartFan667 chip(registers, lock);
    chip.SetCpuFanCurve({40, 60, 60, 128, 120, 255});
    boardtest::ProcessResult dump = boardtest::Run("boardctl.exe", "sio");
    ASSERT_EQ(dump.exitCode, 0u) << dump.err;
    EXPECT_NE(dump.out.find("chip: 0x0667 (667)"), std::string::npos) << dump.out;
    EXPECT_NE(dump.out.find("cpu temperature: 60.0 C"), std::string::npos) << dump.out;
    // 0x6F holds T1; 0x70-0x7A the rest of the curve.
    EXPECT_NE(dump.out.find("  60: 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 28\n"), std::string::npos) << dump.out;
    EXPECT_NE(dump.out.find("  70: 32 3C 50 64 65 3C 5E 80 BF FF FF"), std::string::npos) << dump.out;

    boardtest::ProcessResult one = boardtest::Run("boardctl.exe", "sio 1");
    EXPECT_EQ(one.exitCode, 0u);
    EXPECT_NE(one.out.find("bank 1\n"), std::string::npos);
    EXPECT_EQ(one.out.find("bank 0\n"), std::string::npos);
    EXPECT_EQ(boardtest::Run("boardctl.exe", "sio 256").exitCode, 1u);
}

TEST_F(FanChipTest, SmartFan667ResetAndChassisSequences)
{
    kelp::SmartFan667 chip(registers, lock);
    chip.ResetCpuFanCurve();
    EXPECT_EQ(LoggedWrites(), Concat(Writes(0, 0x6F, {0, 0, 0, 0, 0, 0}), Writes(0, 0x75, {255, 255, 255, 255, 255, 255})));

    fantest::SetRegister(0, 0x04, 0x41);
    fantest::ClearAccessLog();
    chip.SetChassisFanCruise(60, 10);
    EXPECT_EQ(LoggedWrites(), (std::vector<RegisterWrite>{{0, 4, 0}, {0, 3, 0x9B}, {0, 6, 60}, {0, 0x68, 10}, {0, 4, 0x71}}));

    fantest::ClearAccessLog();
    chip.RestoreChassisFan();
    EXPECT_EQ(LoggedWrites(), (std::vector<RegisterWrite>{{0, 4, 0}, {0, 3, 0xFF}, {0, 4, 0x41}}));

    fantest::ClearAccessLog();
    chip.SetChassisFanOff();
    EXPECT_EQ(LoggedWrites(), (std::vector<RegisterWrite>{{0, 4, 0}, {0, 3, 0}, {0, 4, 0x41}}));
    EXPECT_EQ(fantest::ChipBank(), 7);
}

TEST_F(FanChipTest, SmartFan627DHGUsesLayoutBWithItsCommitSequence)
{
    fantest::SetKnob("sio_chip", "0xB073");
    kelp::SmartFan627DHG chip(registers, lock);
    chip.SetCpuFanCurve({35, 80, 55, 160, 130, 250});
    std::vector<RegisterWrite> expected = Writes(1, 0x58, {35, 55, 100, 80, 160, 250});
    expected.push_back({1, 0x5E, 0x2E});
    expected.push_back({1, 0x5E, 0x22});
    EXPECT_EQ(LoggedWrites(), expected);
    EXPECT_EQ(fantest::ChipBank(), 7);
    // Bank 1 is selected again before every write.
    int selections = 0;
    for (const fantest::Access& access : fantest::AccessLog())
        selections += access.out && access.port == 0x295 && access.value == 0x4E;
    EXPECT_EQ(selections, 1 /* bank saved */ + 8 + 1 /* bank restored */);

    fantest::SetRegister(0, 0x04, 0x0F);
    fantest::ClearAccessLog();
    chip.RestoreChassisFan();
    // No clearing of r4 on this family.
    EXPECT_EQ(LoggedWrites(), (std::vector<RegisterWrite>{{0, 1, 0xFF}, {0, 4, 0x03}}));
    fantest::SetKnob("sio_cpu_temp", "45");
    EXPECT_EQ(chip.ReadCpuTemperature(), 90);
}

TEST_F(FanChipTest, SmartFan667Dot18CurveStepAndGate)
{
    fantest::SetKnob("sio_chip", "0xB352");
    fantest::SetRegister(0, 0x06, 0x20);
    fantest::BoardVentryLib fans; // the registered library opens the gate
    fantest::ClearAccessLog();
    kelp::SmartFan667Dot18 chip(registers, lock, false, true);
    chip.SetCpuFanCurve({40, 60, 60, 128, 120, 255});
    std::vector<RegisterWrite> expected =
        Writes(10, 0x51, {42, 52, 62, 82, 102, 103, 60, 94, 128, 191, 255, 0xFF});
    expected.push_back({0, 0x06, 0x32}); // r6 was below 0x32
    expected = Concat(expected, Writes(10, 0x51, {40, 50, 60, 80, 100, 101}));
    EXPECT_EQ(LoggedWrites(), expected);
    EXPECT_EQ(fans.writtenItems, std::vector<uint32_t>{0x11060004});

    fantest::ClearAccessLog();
    chip.ResetCpuFanCurve();
    expected = Writes(10, 0x51, {2, 2, 2, 2, 2, 3, 255, 255, 255, 255, 255, 0xFF});
    expected.push_back({0, 0x06, 0x2D}); // r6 is 0x32 now
    expected = Concat(expected, Writes(10, 0x51, {0, 0, 0, 0, 0, 1}));
    EXPECT_EQ(LoggedWrites(), expected);

    fantest::SetRegister(0, 0x04, 0xF0);
    fantest::ClearAccessLog();
    chip.SetChassisFanCruise(70, 5);
    EXPECT_EQ(LoggedWrites(), (std::vector<RegisterWrite>{{0, 4, 0}, {0, 1, 0x9B}, {0, 5, 70}, {0, 0x68, 5}, {0, 4, 0xFC}}));
    EXPECT_EQ(chip.ReadCpuTemperature(), 120);
    EXPECT_EQ(fantest::ChipBank(), 7);
}

TEST_F(FanChipTest, ThroughTheBiosTheSameRegistersChangeWithoutGateOrPortTraffic)
{
    fantest::LoadBoard("current"); // routes the chip through item 0x11060009
    fantest::SetKnob("sio_cpu_temp", "50");
    fantest::SetKnob("sio_chip", "0xB352");
    kelp::SioAccessorBios bios;
    fantest::BoardVentryLib fans;
    fantest::ClearAccessLog();
    kelp::SmartFan667Dot18 chip(bios, lock, true, true);
    chip.SetCpuFanCurve({30, 60, 50, 128, 70, 255});
    EXPECT_TRUE(fantest::AccessLog().empty());
    EXPECT_TRUE(fans.writtenItems.empty());
    EXPECT_EQ(fantest::Register(10, 0x51), 30);
    EXPECT_EQ(fantest::Register(10, 0x55), 70);
    EXPECT_EQ(fantest::Register(10, 0x5A), 191);
    EXPECT_EQ(chip.ReadCpuTemperature(), 100);
    EXPECT_EQ(chip.ReadStatus(), 128); // duty at 50 degrees
}

TEST_F(FanChipTest, TemperatureFollowsTheMachineLoadWithoutAFixedValue)
{
    fantest::LoadBoard("legacy"); // without the fixed temperature
    fantest::SetKnob("sio_idle_temp", "30");
    fantest::SetKnob("sio_load_span", "50");
    kelp::SmartFan667 chip(registers, lock);
    unsigned half = chip.ReadCpuTemperature();
    EXPECT_GE(half, 60u);
    EXPECT_LE(half, 160u);
}

} // namespace
