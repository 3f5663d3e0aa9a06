// The start-up cases run on an installation whose first run is behind it
// and whose graphics-boost driver is installed, so that showing the main
// window brings up no first-run or driver notice (those have cases of
// their own), and no crash guard asks for the back-to-default notice.

#include "kelp/System/WinRegistry.h"

#include <gtest/gtest.h>

namespace {

class InstalledBefore : public testing::Environment {
public:
    void SetUp() override
    {
        kelp::RegistryKey root;
        ASSERT_TRUE(root.Open(HKEY_LOCAL_MACHINE, "Software\\VANTOR\\Tamsel3", true) && root.WriteDword("NotFirstTime", 1));
        kelp::RegistryKey driver;
        ASSERT_TRUE(driver.Open(HKEY_LOCAL_MACHINE, "Software\\VANTOR\\Gruvo Driver", true) &&
                    driver.WriteString("Version", "1.0"));
        // No interrupted mode change or calibration from an earlier program.
        kelp::RegistryKey advance;
        ASSERT_TRUE(advance.Open(HKEY_LOCAL_MACHINE, "Software\\VANTOR\\Tamsel3\\Advance", true) &&
                    advance.WriteDword("Gear_Flag", 0) && advance.WriteDword("Calibration_Flag", 0));
    }
    // Later test programs in the same registry start from a new installation.
    void TearDown() override
    {
        kelp::RegistryKey root;
        if (root.Open(HKEY_LOCAL_MACHINE, "Software\\VANTOR\\Tamsel3", false))
            root.DeleteValue("NotFirstTime");
        kelp::RegistryKey driver;
        if (driver.Open(HKEY_LOCAL_MACHINE, "Software\\VANTOR\\Gruvo Driver", false))
            driver.DeleteValue("Version");
    }
};

[[maybe_unused]] testing::Environment* const installed = testing::AddGlobalTestEnvironment(new InstalledBefore);

} // namespace
