// The metrics file of the running program on the virtual board, named by
// the machine's policy with a 15 s interval: it appears at the first energy
// tick, follows mode changes at the interval, counts them by what asked for
// them (another program's window message, pellixctl), and tells what
// pellixctl status tells (mode, energy, CO2 by the user's emission factor,
// power). The wrapper script then has promtool check each copy the test
// leaves in PELLIX_METRICS_FOLDER.

#include "app/PrivateMessages.h"
#include "engine/RegistryLayout.h"
#include "kelp/System/WinRegistry.h"
#include "tests/board/support/BoardTestSupport.h"
#include "tests/ctl/CtlRun.h"
#include "tests/mainwin/ProgramRig.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

using namespace programtest;

namespace {

constexpr const char* kPolicyKey = "Software\\Policies\\Pellix";
constexpr const char* kVgaAccountKey = "Software\\VANTOR\\Tamsel3\\Ordun\\VGA";
constexpr const char* kDriverKey = "Software\\VANTOR\\Gruvo Driver";
// Writes come with the first tick, then an interval later, and so on.
constexpr DWORD kNextWriteMs = 25000;

std::string ReadText(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return file ? text.str() : std::string();
}

std::map<std::string, double> Samples(const std::string& text)
{
    std::map<std::string, double> samples;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line))
        if (!line.empty() && line[0] != '#') {
            const size_t space = line.rfind(' ');
            samples[line.substr(0, space)] = std::stod(line.substr(space + 1));
        }
    return samples;
}

void WriteAccount(const char* key, double total, double current)
{
    kelp::RegistryKey account;
    ASSERT_TRUE(account.Open(HKEY_LOCAL_MACHINE, key, true));
    ASSERT_TRUE(account.WriteBinary("TotalSaving", &total, sizeof total));
    ASSERT_TRUE(account.WriteBinary("CumulativeSaving", &current, sizeof current));
}

class MetricsProgram : public ::testing::Test {
protected:
    void SetUp() override
    {
        const char* folder = std::getenv("PELLIX_METRICS_FOLDER");
        ASSERT_TRUE(folder) << "run by the wrapper script";
        folder_ = folder;
        file_ = folder_ + "\\pellix.prom";
        kelp::RegistryKeyReader driver;
        std::string version;
        driverPresent_ = driver.Open(HKEY_LOCAL_MACHINE, kDriverKey) && driver.ReadString("Version", version);
        ResetProgramRegistry();
        // A steady 100 W processor; High Performance and Turbo save nothing,
        // so the accounts stay as written here.
        SetBoardKnob("tamsel_sensors", "hold");
        ASSERT_EQ(boardtest::Run("boardctl.exe", "set 0x0E0B0013 0x0064").exitCode, 0u);
        WriteAccount(kMbAccountKey, 12.5, 2.5);
        WriteAccount(kVgaAccountKey, 1.5, 0.5);
        WriteDword(RegKey::OrdunHistory, RegValue::EmissionFactor, 400);
        kelp::RegistryKey policy;
        ASSERT_TRUE(policy.Open(HKEY_LOCAL_MACHINE, kPolicyKey, true));
        ASSERT_TRUE(policy.WriteString("MetricsFile", file_));
        ASSERT_TRUE(policy.WriteDword("MetricsIntervalSeconds", 15));
    }
    void TearDown() override
    {
        program_.reset();
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, kPolicyKey);
        DeleteValue(RegKey::OrdunHistory, RegValue::EmissionFactor);
        ClearBoardKnob("tamsel_sensors");
        if (!driverPresent_)
            DeleteValue(kDriverKey, "Version");
    }

    // The file and pellixctl's status read without a write between them.
    bool ReadTogether(std::string& text, nlohmann::json& status)
    {
        for (int attempt = 0; attempt < 3; ++attempt) {
            text = ReadText(file_);
            const ctltest::CtlResult result = ctltest::RunCtl({"status", "--json"});
            if (result.exitCode != 0)
                return false;
            status = nlohmann::json::parse(result.out);
            if (ReadText(file_) == text)
                return true;
        }
        return false;
    }

    void ExpectAgreement(const std::map<std::string, double>& file, const nlohmann::json& status)
    {
        const std::string mode = status.at("mode");
        for (const char* name : {"turbo", "high", "medium", "max", "auto"})
            EXPECT_EQ(file.at("pellix_mode{mode=\"" + std::string(name) + "\"}"), name == mode ? 1 : 0) << name;
        const nlohmann::json& energy = status.at("energy");
        EXPECT_DOUBLE_EQ(file.at("pellix_energy_saved_joules_total{device=\"board\"}"),
                         energy.at("board").at("totalWh").get<double>() * 3600);
        EXPECT_DOUBLE_EQ(file.at("pellix_energy_saved_joules_total{device=\"graphics_card\"}"),
                         energy.at("graphicsCard").at("totalWh").get<double>() * 3600);
        EXPECT_DOUBLE_EQ(file.at("pellix_energy_saved_since_reset_joules{device=\"board\"}"),
                         energy.at("board").at("currentWh").get<double>() * 3600);
        EXPECT_DOUBLE_EQ(file.at("pellix_co2_avoided_grams"), energy.at("all").at("totalCo2G").get<double>());
        EXPECT_DOUBLE_EQ(file.at("pellix_co2_avoided_since_reset_grams"),
                         energy.at("all").at("currentCo2G").get<double>());
        EXPECT_DOUBLE_EQ(file.at("pellix_cpu_power_watts"), status.at("cpuPowerW").get<double>());
        EXPECT_EQ(file.at("pellix_calibration_needed"), status.at("calibrationNeeded").get<bool>() ? 1 : 0);
    }

    // A copy for promtool, which reads it after the test.
    void KeepCopy(const std::string& text, const char* name)
    {
        std::ofstream(folder_ + "\\" + name, std::ios::binary) << text;
    }

    std::string folder_, file_;
    bool driverPresent_ = false;
    std::unique_ptr<Program> program_;
};

} // namespace

TEST_F(MetricsProgram, TheFileTellsWhatTheStatusTellsAndFollowsTheMode)
{
    program_ = std::make_unique<Program>("");
    ASSERT_TRUE(program_->Started());
    // Another program asks for Turbo by window message: the tray's cause.
    PostMessageA(program_->Window(), kMsgTurbo, 0, 0);
    ASSERT_TRUE(WaitForLevel(0x4000));
    const auto shows = [this](const char* mode) {
        return Eventually([&] { return ReadText(file_).find("pellix_mode{mode=\"" + std::string(mode) + "\"} 1\n") !=
                                       std::string::npos; },
                          kNextWriteMs);
    };
    ASSERT_TRUE(shows("turbo")) << "no " << file_ << " showing Turbo: " << ReadText(file_);

    std::string text;
    nlohmann::json status;
    ASSERT_TRUE(ReadTogether(text, status));
    KeepCopy(text, "first.txt");
    std::map<std::string, double> file = Samples(text);
    EXPECT_EQ(status.at("mode"), "turbo");
    ExpectAgreement(file, status);
    // The user's factor, 400 mg per Wh, for the 14 Wh saved: in the file as in the status.
    EXPECT_NEAR(file.at("pellix_co2_avoided_grams"), 14 * 0.4, 1e-9);
    EXPECT_EQ(file.at("pellix_cpu_power_watts"), 100);
    EXPECT_EQ(file.at("pellix_build_info{version=\"1.0.0.0\"}"), 1);
    EXPECT_EQ(file.at("pellix_mode_changes_total{cause=\"tray\"}"), 1);
    EXPECT_EQ(file.at("pellix_mode_changes_total{cause=\"command_line\"}"), 0);

    const ctltest::CtlResult set = ctltest::RunCtl({"set", "high"});
    ASSERT_EQ(set.exitCode, 0) << set.err;
    ASSERT_TRUE(shows("high")) << ReadText(file_);
    ASSERT_TRUE(ReadTogether(text, status));
    KeepCopy(text, "second.txt");
    file = Samples(text);
    EXPECT_EQ(status.at("mode"), "high");
    ExpectAgreement(file, status);
    EXPECT_EQ(file.at("pellix_mode_changes_total{cause=\"command_line\"}"), 1);
    EXPECT_EQ(file.at("pellix_mode_changes_total{cause=\"tray\"}"), 1);
    EXPECT_GE(file.at("pellix_mode_seconds_total{mode=\"turbo\"}"), 5);
    // Replaced by renaming: no temporary file is left.
    EXPECT_EQ(GetFileAttributesA((file_ + ".tmp").c_str()), INVALID_FILE_ATTRIBUTES);
}
