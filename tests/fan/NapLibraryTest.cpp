// The nap library adapter over Dozla.dll and mutevol.dll.

#include "board/core/BoardStore.h"
#include "kelp/vantor/BiosInterface.h"
#include "kelp/vantor/BiosItems.h"
#include "kelp/vantor/DozlaLibDll.h"
#include "tests/board/support/BoardTestSupport.h"
#include "tests/fan/FanTestBoard.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace {
using namespace kelp::BiosItemId;

std::string Knob(const char* name)
{
    vboard::BoardState state;
    EXPECT_TRUE(vboard::BoardStore().Read(state));
    return state.Knob(name).value_or("");
}

uint32_t Item(uint32_t id)
{
    uint32_t value = 0xDEAD;
    EXPECT_TRUE(kelp::GetItem(id, value));
    return value;
}

void StoreThresholds(int count)
{
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, "Software\\VANTOR\\Tamsel3");
    HKEY key;
    RegCreateKeyExA(HKEY_LOCAL_MACHINE, "Software\\VANTOR\\Tamsel3", 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr);
    const char* names[] = {"Threshold1", "Threshold2", "Threshold3"};
    for (int i = 0; i < count; ++i) {
        DWORD value = DWORD(10 * (i + 1));
        RegSetValueExA(key, names[i], 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
    }
    RegCloseKey(key);
}

// Runs this test executable from a folder of its own holding `dozla` as
// Dozla.dll.
boardtest::ProcessResult RunInBareFolder(const char* dozla, const char* name)
{
    std::string runtime = boardtest::RuntimeFolder();
    std::string sub = std::string("nap-") + name + "\\";
    CreateDirectoryA((runtime + sub).c_str(), nullptr);
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, sizeof self);
    CopyFileA(self, (runtime + sub + "nap-worker.exe").c_str(), FALSE);
    CopyFileA((runtime + dozla).c_str(), (runtime + sub + "Dozla.dll").c_str(), FALSE);
    return boardtest::Run(sub + "nap-worker.exe", "--gtest_also_run_disabled_tests --gtest_filter=NapWorker.*");
}

// Run by the child process only: loads whatever Dozla.dll its folder holds.
TEST(NapWorker, DISABLED_Load)
{
    kelp::DozlaLibDll nap(5);
}

class NapLibraryTest : public testing::Test {
protected:
    void SetUp() override { fantest::LoadBoard("current"); }
};

TEST_F(NapLibraryTest, VersionFiveMutesThroughTheNapLibraryAlone)
{
    kelp::DozlaLibDll nap(5);
    ASSERT_TRUE(nap.IsLoaded());
    EXPECT_EQ(Knob("dozla_initialised"), "1");
    nap.Mute();
    EXPECT_EQ(Knob("dozla_sound"), "0");
    nap.Unmute();
    EXPECT_EQ(Knob("dozla_sound"), "1");
    EXPECT_EQ(Knob("mutevol_mute"), "");
    EXPECT_EQ(GetModuleHandleA("mutevol.dll"), nullptr);
}

TEST_F(NapLibraryTest, VersionSixMutesThroughTheMuteLibrary)
{
    kelp::DozlaLibDll nap(6);
    nap.Mute();
    EXPECT_EQ(Knob("mutevol_mute"), "1");
    nap.Unmute();
    EXPECT_EQ(Knob("mutevol_mute"), "0");
    EXPECT_EQ(Knob("dozla_sound"), "");
    nap.ScreenOff();
    EXPECT_EQ(Knob("dozla_screen"), "0");
    nap.ScreenOn();
    EXPECT_EQ(Knob("dozla_screen"), "1");
}

TEST_F(NapLibraryTest, MissingExportsFailTheCompletenessAssertion)
{
    // Any other library under the nap library's name lacks its exports.
    boardtest::ProcessResult result = RunInBareFolder("mutevol.dll", "exports");
    EXPECT_EQ(result.exitCode, 3u);
    EXPECT_NE(result.err.find("Assertion failed: m_pDozlaInit != 0 && m_pDozlaIsSupport != 0"), std::string::npos)
        << result.err;
    EXPECT_NE(result.err.find(", file kelp\\vantor\\Source\\DozlaLib, line 622"), std::string::npos) << result.err;
}

TEST_F(NapLibraryTest, AdvancedGearLevelsCarryTheAutoThresholds)
{
    kelp::DozlaLibDll nap(5);
    ASSERT_TRUE(nap.IsAdvancedGear());
    StoreThresholds(2); // Threshold3 missing
    EXPECT_TRUE(nap.SetLevel(0x8000));
    EXPECT_EQ(Item(kAutoThreshold1), 0u);
    EXPECT_EQ(Item(kAutoThreshold1 + 1), 0u);
    EXPECT_EQ(Item(kAutoThreshold1 + 2), 255u);
    EXPECT_EQ(Item(kGearLevel), 0x8000u);

    StoreThresholds(3);
    EXPECT_TRUE(nap.SetLevel(0x8000));
    EXPECT_EQ(Item(kAutoThreshold1), 10u);
    EXPECT_EQ(Item(kAutoThreshold1 + 1), 20u);
    EXPECT_EQ(Item(kAutoThreshold1 + 2), 30u);
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, "Software\\VANTOR\\Tamsel3");

    // A board whose gear capability is below 2 has no advanced gear.
    fantest::SetItemValue(kGearCapability, 1);
    EXPECT_FALSE(nap.IsAdvancedGear());
}

} // namespace
