// The fan-settings library's tables and mode rules over the board's items.

#include "hw/AbsVentryLib.h"
#include "kelp/vantor/BiosItems.h"
#include "tests/board/support/BoardTestSupport.h"
#include "tests/fan/FanTestBoard.h"

#include <gtest/gtest.h>

namespace {
using kelp::BiosItemId::kChassisFanControl;
using kelp::BiosItemId::kChassisFanProfile;
using kelp::BiosItemId::kCpuFanControl;
using kelp::BiosItemId::kCpuFanProfile;
using kelp::BiosItemId::kFanBaseTemperature;
using kelp::CruisePair;
using kelp::FanCurve;

class VentryLibTest : public testing::Test {
protected:
    void SetUp() override
    {
        // The current board reaches the chip both through ports and through
        // the BIOS, whichever the process-wide chip driver settled on.
        fantest::LoadBoard("current");
        fantest::SetKnob("sio_cpu_temp", "50");
        fantest::SetItemValue(kFanBaseTemperature, 60);
        fantest::ClearFanStore();
    }
    void TearDown() override { fantest::ClearFanStore(); }

    unsigned long Stored(const char* name)
    {
        unsigned long value = 0xDEAD;
        EXPECT_TRUE(fantest::ReadFanStoreValue(name, value)) << name;
        return value;
    }
};

TEST_F(VentryLibTest, TablesFromBaseSixtyAndTheDerivedExtraCurveIsStored)
{
    fantest::BoardVentryLib fans;
    EXPECT_EQ(fans.GetProfileCurve(0), (FanCurve{30, 55, 60, 255, 60, 255}));
    EXPECT_EQ(fans.GetProfileCurve(1), (FanCurve{40, 55, 70, 255, 70, 255}));
    EXPECT_EQ(fans.GetProfileCurve(2), (FanCurve{20, 55, 50, 255, 50, 255}));
    EXPECT_EQ(fans.GetProfileCurve(4), (FanCurve{0, 128, 75, 128, 76, 255}));
    EXPECT_EQ(fans.GetCruisePair(0), (CruisePair{60, 10}));
    EXPECT_EQ(fans.GetCruisePair(1), (CruisePair{70, 10}));
    EXPECT_EQ(fans.GetCruisePair(2), (CruisePair{50, 10}));

    EXPECT_EQ(fans.GetProfileCurve(5), (FanCurve{40, 55, 55, 155, 70, 255}));
    const char* names[] = {"Temp0", "Temp1", "Temp2", "Speed0", "Speed1", "Speed2"};
    const unsigned long values[] = {40, 55, 70, 55, 155, 255};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(Stored(names[i]), values[i]) << names[i];

    // Once stored, the extra curve comes from the store, not the profile.
    fantest::WriteFanStoreValue("Speed1", 200);
    EXPECT_EQ(fans.GetProfileCurve(5), (FanCurve{40, 55, 55, 200, 70, 255}));
}

TEST_F(VentryLibTest, UserCurveFromTheStoreOnlyWhenAllSixValuesAreThere)
{
    const char* names[] = {"Temp3", "Speed3", "Temp4", "Speed4", "Temp5"};
    for (int i = 0; i < 5; ++i)
        fantest::WriteFanStoreValue(names[i], 10 + i);
    {
        fantest::BoardVentryLib fans; // Speed5 missing: from the chip's 50 degrees
        EXPECT_EQ(fans.GetProfileCurve(3), (FanCurve{45, 51, 55, 102, 65, 255}));
    }
    fantest::WriteFanStoreValue("Speed5", 99);
    fantest::BoardVentryLib fans;
    EXPECT_EQ(fans.GetProfileCurve(3), (FanCurve{10, 11, 12, 13, 14, 99}));
}

TEST_F(VentryLibTest, CpuFanModeRules)
{
    fantest::BoardVentryLib fans;
    fantest::SetItemValue(kCpuFanProfile, 1);
    EXPECT_EQ(fans.GetCpuFanMode(), 1);

    // A board profile beyond the known ones asks for the extra curve.
    fantest::SetItemValue(kCpuFanProfile, 7);
    EXPECT_EQ(fans.GetCpuFanMode(), 5);
    EXPECT_EQ(Stored("ExtraMode"), 3u);

    // A stored extra mode wins over the board's ordinary profiles...
    fantest::SetItemValue(kCpuFanProfile, 2);
    EXPECT_EQ(fans.GetCpuFanMode(), 5); // 3 + 2
    fantest::WriteFanStoreValue("ExtraMode", 1);
    EXPECT_EQ(fans.GetCpuFanMode(), 3);

    // ...and board control off beats everything.
    fantest::SetItemValue(kCpuFanControl, 0);
    EXPECT_EQ(fans.GetCpuFanMode(), 0xFF);
    EXPECT_FALSE(fans.IsCpuFanControlEnabled());
}

TEST_F(VentryLibTest, ChassisFanModeRules)
{
    fantest::BoardVentryLib fans;
    EXPECT_TRUE(fans.HasChassisFanItems());
    fantest::SetItemValue(kChassisFanProfile, 2);
    EXPECT_EQ(fans.GetChassisFanMode(), 2);
    fantest::SetItemValue(kChassisFanProfile, 4);
    EXPECT_EQ(fans.GetChassisFanMode(), 0);
    fantest::SetItemValue(kChassisFanControl, 0);
    EXPECT_EQ(fans.GetChassisFanMode(), 0xFF);
    fantest::RemoveItem(kChassisFanProfile);
    EXPECT_FALSE(fans.HasChassisFanItems());
}

TEST_F(VentryLibTest, OutOfRangeIndexesGiveSafeTables)
{
    fantest::BoardVentryLib fans;
    fantest::WriteFanStoreValue("ExtraMode", 40);
    fantest::SetItemValue(kCpuFanProfile, 0);
    uint8_t mode = fans.GetCpuFanMode(); // a stored mode no curve belongs to
    EXPECT_EQ(mode, 42);
    EXPECT_EQ(fans.GetProfileCurve(mode), fans.GetProfileCurve(4));
    EXPECT_EQ(fans.GetCruisePair(9), fans.GetCruisePair(0));
}

TEST_F(VentryLibTest, FailedReadIsReportedAndTheLastCreatedInstanceIsRegistered)
{
    fantest::RemoveItem(kFanBaseTemperature);
    boardtest::MessageBoxCatcher boxes;
    {
        fantest::BoardVentryLib first;
        fantest::BoardVentryLib second;
        EXPECT_EQ(kelp::AbsVentryLib::Registered(), &second);
        EXPECT_EQ(first.GetProfileCurve(0), (FanCurve{226, 55, 0, 255, 0, 255})); // base read as 0
    }
    Sleep(300);
    auto messages = boxes.Messages();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].caption, "Tamsel");
    EXPECT_EQ(messages[0].text, "Can not get Item(4030017) from BIOS");
}

} // namespace
