// What pellixctl prints: the machine output parses as JSON and CSV and says
// what the status holds; every text exists in all four languages.

#include "ctl/CtlTexts.h"
#include "ctl/MachineOutput.h"
#include "framework/system/ExecutableFolder.h"
#include "kelp/System/IniAccess.h"
#include "kelp/System/Language.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

using namespace kelp::control;

TEST(CtlOutput, MachineOutputCarriesTheStatus)
{
    Status status;
    status.level = 0x8000;
    status.autoGear = 3;
    status.flags = kAutoSupported | kTweakDisabled | kVgaConnected;
    status.boardTotalWh = 10;
    status.vgaTotalWh = 2;
    status.boardCurrentWh = 1;
    // 2026-12-09 10:11:12, local time.
    SYSTEMTIME civil{2026, 12, 3, 9, 10, 11, 12, 0};
    FILETIME time{};
    ASSERT_TRUE(SystemTimeToFileTime(&civil, &time));
    status.totalSince = (uint64_t(time.dwHighDateTime) << 32) | time.dwLowDateTime;

    const nlohmann::json json = nlohmann::json::parse(ctl::StatusJson(status));
    EXPECT_EQ(json.at("mode"), "auto");
    EXPECT_EQ(json.at("autoGear"), "max");
    EXPECT_TRUE(json.at("graphicsCard").at("connected").get<bool>());
    EXPECT_DOUBLE_EQ(json.at("energy").at("all").at("totalWh").get<double>(), 12);
    EXPECT_DOUBLE_EQ(json.at("energy").at("all").at("totalCo2G").get<double>(), 12 * 0.615);
    EXPECT_EQ(json.at("energy").at("since").at("total"), "2026-12-09T10:11:12");
    EXPECT_EQ(json.at("energy").at("since").at("current"), "");

    const nlohmann::json list = nlohmann::json::parse(ctl::ListJson(status));
    EXPECT_TRUE(list[4].at("current").get<bool>());
    EXPECT_EQ(list[4].at("reason"), "tweak-unconfirmed");
    EXPECT_TRUE(list[0].at("available").get<bool>());
    status.flags |= kBusy;
    EXPECT_EQ(nlohmann::json::parse(ctl::ListJson(status))[0].at("reason"), "busy");

    const std::string csv = ctl::EnergyCsv(status);
    EXPECT_NE(csv.find("\r\nall,12.000000,1.000000,7.380000,0.615000,2026-12-09T10:11:12,\r\n"), std::string::npos)
        << csv;

    // The CO2 follows the factor the program counts with, as its window does.
    status.co2PerWattHour = 400;
    const nlohmann::json energy = nlohmann::json::parse(ctl::EnergyJson(status));
    EXPECT_DOUBLE_EQ(energy.at("all").at("totalCo2G").get<double>(), 12 * 0.4);
    EXPECT_DOUBLE_EQ(energy.at("board").at("currentCo2G").get<double>(), 0.4);
    EXPECT_NE(ctl::EnergyCsv(status).find("\r\nall,12.000000,1.000000,4.800000,0.400000,"), std::string::npos);
}

TEST(CtlOutput, EveryTextIsInEveryLanguage)
{
    for (const char* language : {"English", "German", "French", "Japanese"}) {
        kelp::IniAccess ini;
        const std::string path =
            ExecutableFolder() + "LangFiles\\" + language + "\\" + language + ".ini";
        ASSERT_TRUE(ini.Open(path)) << path;
        for (int text = 0; text < int(ctl::Text::Count); ++text) {
            const char* key = ctl::KeyOf(ctl::Text(text));
            EXPECT_NE(ini.ReadString("pellixctl", key, kelp::kTextNotFound), kelp::kTextNotFound)
                << language << " " << key;
        }
    }
    EXPECT_EQ(ctl::Say(ctl::Text::UnknownMode, "bogus").find("Unknown mode \"bogus\""), 0u);
    EXPECT_NE(ctl::Say(ctl::Text::Help).find("\n  5  no answer"), std::string::npos);
}
