// The fan-settings library over the power-gear library.

#include "hw/CpuVentryLibForTamsel.h"
#include "kelp/vantor/BiosItems.h"
#include "kelp/vantor/PowerGearDll.h"
#include "tests/board/support/BoardTestSupport.h"
#include "tests/fan/FanTestBoard.h"

#include <gtest/gtest.h>

namespace {

TEST(TamselVentryTest, ItemsGoThroughThePowerGearAndRefusedWritesAreReported)
{
    fantest::LoadBoard("current");
    fantest::SetItemValue(kelp::BiosItemId::kFanBaseTemperature, 50);
    fantest::SetKnob("sio_cpu_temp", "40");
    auto library = std::make_unique<kelp::PowerGearDll>("");
    library->Open();
    kelp::PowerGear gear(std::move(library));
    boardtest::MessageBoxCatcher boxes;
    {
        kelp::CpuVentryLibForTamsel fans(gear);
        EXPECT_EQ(kelp::AbsVentryLib::Registered(), &fans);
        EXPECT_TRUE(fans.IsVentryThreeSupported());
        EXPECT_EQ(fans.GetProfileCurve(0), (kelp::FanCurve{20, 55, 50, 255, 50, 255}));
        EXPECT_TRUE(fans.HasChassisFanItems());

        fans.SetItem(kelp::BiosItemId::kCpuFanProfile, 2, 1);
        EXPECT_EQ(fans.GetItem(kelp::BiosItemId::kCpuFanProfile), 2u);
        fans.SetItem(kelp::BiosItemId::kCpuFanProfile, 99, 1); // beyond the item's values
        EXPECT_EQ(fans.GetItem(kelp::BiosItemId::kCpuFanProfile), 2u);
    }
    for (int wait = 0; wait < 100 && boxes.Messages().empty(); ++wait)
        Sleep(50);
    auto messages = boxes.Messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].caption, "Ventry");
    EXPECT_EQ(messages[0].text, "Can not set Item(4080011) to BIOS");
}

} // namespace
