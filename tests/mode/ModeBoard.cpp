#include "tests/mode/ModeBoard.h"

#include "board/core/BoardStore.h"
#include "engine/AdvanceSettings.h"
#include "engine/CpuPowerMonitor.h"
#include "engine/RegistryLayout.h"
#include "kelp/vantor/BiosItems.h"
#include "kelp/vantor/PowerGear.h"
#include "tests/fan/FanTestBoard.h"

namespace modetest {
namespace {
using namespace kelp::BiosItemId;
constexpr uint32_t kGearCapabilityLevelFour = 8;
constexpr uint32_t kOverclockState = 0x09080000;
constexpr uint32_t kNotOverclocked = 1;
} // namespace

uint32_t BoardValue(uint32_t id)
{
    vboard::BoardState state;
    EXPECT_TRUE(vboard::BoardStore().Read(state));
    const vboard::BoardItem* item = state.Find(id);
    EXPECT_NE(item, nullptr) << std::hex << id;
    return item ? item->value : 0;
}

void SetBoardValue(uint32_t id, uint32_t value)
{
    fantest::SetItemValue(id, value);
}

void SetKnob(const std::string& name, const std::string& value)
{
    fantest::SetKnob(name, value);
}

std::optional<std::string> Knob(const std::string& name)
{
    vboard::BoardState state;
    EXPECT_TRUE(vboard::BoardStore().Read(state));
    return state.Knob(name);
}

std::optional<DWORD> LastMode()
{
    DWORD value = 0, size = sizeof value;
    if (RegGetValueA(HKEY_LOCAL_MACHINE, RegKey::Root, RegValue::LastMode, RRF_RT_REG_DWORD, nullptr, &value, &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    return value;
}

void StoreExtras(int modeIndex, uint32_t idleTimeout, uint32_t spinDown, uint32_t fan)
{
    ModeTuning tuning;
    ASSERT_TRUE(AdvanceSettings::Instance().GetTuning(modeIndex, tuning));
    tuning.DozlaIdleTimeout = idleTimeout;
    tuning.SpinDownTimeout = spinDown;
    tuning.Fan = fan;
    ASSERT_TRUE(AdvanceSettings::Instance().SetTuning(modeIndex, tuning));
}

void ModeBoardTest::SetUpTestSuite()
{
    static bool started = false;
    if (started)
        return;
    started = true;
    // The support level is fixed when the library first opens.
    fantest::LoadBoard("legacy");
    SetBoardValue(kGearCapability, kGearCapabilityLevelFour);
    SetKnob("sio_cpu_temp", "45");
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, RegKey::Root);
    fantest::ClearFanStore();
    kelp::PowerGear::m_impIndex = 0;
    CpuPowerMonitor::Instance().Start();
}

void ModeBoardTest::SetUp()
{
    ASSERT_TRUE(WaitForModeChange(20000));
    SetKnob("tamsel_set_level_delay_ms", "0");
    SetKnob("tamsel_ventry_three", "1");
    SetBoardValue(kOverclockState, kNotOverclocked);
    SetBoardValue(kCpuFanControl, 1);
    SetBoardValue(kChassisFanControl, 1);
    RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, RegKey::Root, RegValue::LastMode);
    AdvanceSettings::Instance().ClearGear_Flag();
    PlugModeChangeObserver(&refreshes);
}

void ModeBoardTest::TearDown()
{
    EXPECT_TRUE(WaitForModeChange(20000));
    PlugModeChangeObserver(nullptr);
}

} // namespace modetest
