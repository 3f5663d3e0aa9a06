// pellixctl against the running program on the virtual board: the mode it
// sets reaches the board, refusals and usage errors have their exit codes,
// the calibration runs to its end, hold puts the mode back, the tray icon
// follows the mode, the JSON output is real JSON, and the daily history is
// the one the program keeps.

#include "ctl/ControlClient.h"
#include "engine/CalendarDay.h"
#include "engine/RegistryLayout.h"
#include "engine/SavingsCsv.h"
#include "engine/SavingsHistoryCodec.h"
#include "engine/SavingsLedger.h"
#include "ipc/ControlProtocol.h"
#include "tests/board/support/BoardTestSupport.h"
#include "tests/ctl/CtlRun.h"
#include "tests/mainwin/ProgramRig.h"
#include "tests/pipes/PipeTestSupport.h"
#include "tests/support/FakeNotificationArea.h"
#include "tests/support/TrayPictures.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <thread>

using namespace programtest;
using ctltest::RunCtl;

namespace {

void ForgetThresholds()
{
    for (int i = 1; i <= 6; ++i)
        DeleteValue(kRootKey, ("Threshold" + std::to_string(i)).c_str());
}

class CtlProgram : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetProgramRegistry();
        ForgetThresholds();
        program_ = std::make_unique<Program>("");
        ASSERT_TRUE(program_->Started());
        ASSERT_TRUE(pipetest::WaitForPipe(kelp::control::kPipeName, 10000));
    }
    void TearDown() override { program_.reset(); }

    // The file of the picture the program's tray icon shows once it is `index`.
    int TrayPicture(int index)
    {
        return traytest::WaitForPicture(tray_, program_->Window(), 1, pictures_, index, kModeChangeMs);
    }

    // Up before the program starts, so that it adds its icon here.
    traytest::FakeNotificationArea tray_;
    const traytest::TrayPictures pictures_{boardtest::RuntimeFolder() + "Resource\\"};
    std::unique_ptr<Program> program_;
};

} // namespace

TEST_F(CtlProgram, SetAndGetGoThroughTheProgram)
{
    ctltest::CtlResult set = RunCtl({"set", "TURBO"});
    EXPECT_EQ(set.exitCode, 0) << set.err;
    // Applied before pellixctl returns: level, last mode and crash guard.
    EXPECT_EQ(BoardItem(kGearLevelItem), 0x4000u);
    EXPECT_EQ(ReadDword(kRootKey, "LastMode").value_or(0), 0x4000u);
    EXPECT_EQ(ReadDword(kAdvanceKey, "Gear_Flag").value_or(1), 0u);
    EXPECT_EQ(TrayPicture(0), 0) << "Turbo's tray icon";

    ctltest::CtlResult get = RunCtl({"get"});
    EXPECT_EQ(get.exitCode, 0);
    EXPECT_EQ(get.out, "turbo\n");

    const nlohmann::json status = nlohmann::json::parse(RunCtl({"status", "--json"}).out);
    EXPECT_EQ(status.at("mode"), "turbo");
    EXPECT_TRUE(status.at("calibrationNeeded").get<bool>());
    EXPECT_TRUE(status.at("energy").at("board").at("totalWh").is_number());
    const nlohmann::json list = nlohmann::json::parse(RunCtl({"list", "--json"}).out);
    ASSERT_EQ(list.size(), 5u);
    EXPECT_TRUE(list[0].at("current").get<bool>());
    EXPECT_EQ(list[4].at("reason"), "calibration-needed");
    const std::string csv = RunCtl({"energy", "--csv"}).out;
    EXPECT_EQ(csv.rfind("account,total_wh,current_wh", 0), 0u) << csv;

    ctltest::CtlResult bogus = RunCtl({"set", "bogus"});
    EXPECT_EQ(bogus.exitCode, 2);
    EXPECT_NE(bogus.err.find("bogus"), std::string::npos);
    EXPECT_EQ(RunCtl({"frobnicate"}).exitCode, 2);
    EXPECT_EQ(RunCtl({"get", "--csv"}).exitCode, 2);
    EXPECT_EQ(BoardItem(kGearLevelItem), 0x4000u);

    ASSERT_EQ(RunCtl({"set", "max"}).exitCode, 0);
    EXPECT_EQ(TrayPicture(3), 3) << "Max Power Saving's tray icon";
}

TEST_F(CtlProgram, AutoWaitsForACalibrationThatPellixctlRuns)
{
    ASSERT_EQ(RunCtl({"set", "medium"}).exitCode, 0);
    ctltest::CtlResult refused = RunCtl({"set", "auto", "--yes"});
    EXPECT_EQ(refused.exitCode, 4);
    EXPECT_NE(refused.err.find("pellixctl calibrate"), std::string::npos) << refused.err;
    EXPECT_EQ(BoardItem(kGearLevelItem), 1u);

    ctltest::CtlResult calibrate = RunCtl({"calibrate"}, 240000);
    EXPECT_EQ(calibrate.exitCode, 0) << calibrate.err;
    EXPECT_NE(calibrate.out.find("Calibrating: 50%"), std::string::npos) << calibrate.out;
    EXPECT_NE(calibrate.out.find("Calibration completed."), std::string::npos);
    // The level from before the run is back, and Auto may be chosen now.
    EXPECT_TRUE(WaitForLevel(1));
    ctltest::CtlResult autoSet = RunCtl({"set", "auto", "--yes"});
    EXPECT_EQ(autoSet.exitCode, 0) << autoSet.err;
    EXPECT_EQ(ReadDword(kRootKey, "LastMode").value_or(0), 0x8000u);
}

TEST_F(CtlProgram, HoldRunsTheCommandInTheModeAndPutsTheOldOneBack)
{
    ASSERT_EQ(RunCtl({"set", "high"}).exitCode, 0);
    // The command itself sees Max Power Saving.
    ctltest::CtlResult inside = RunCtl({"hold", "max", "--", "pellixctl.exe", "get"});
    EXPECT_EQ(inside.exitCode, 0) << inside.err;
    EXPECT_EQ(inside.out, "max\n");
    EXPECT_EQ(BoardItem(kGearLevelItem), 0u);

    ctltest::CtlResult seven = RunCtl({"hold", "max", "--", "cmd", "/c", "exit", "7"});
    EXPECT_EQ(seven.exitCode, 7) << seven.err;
    EXPECT_EQ(BoardItem(kGearLevelItem), 0u);

    // A choice made meanwhile stands.
    ctltest::CtlResult changed = RunCtl({"hold", "max", "--", "pellixctl.exe", "set", "turbo"});
    EXPECT_EQ(changed.exitCode, 0) << changed.err;
    EXPECT_EQ(BoardItem(kGearLevelItem), 0x4000u);
}

TEST(CtlWithoutProgram, SaysSoAtOnce)
{
    ctltest::CtlResult result = RunCtl({"get"});
    EXPECT_EQ(result.exitCode, 3);
    EXPECT_NE(result.err.find("not running"), std::string::npos) << result.err;
    EXPECT_LT(result.elapsedMs, 1000);
}

TEST_F(CtlProgram, ACancelledCalibrationEndsTheRunAsTheCancelButtonDoes)
{
    ASSERT_EQ(RunCtl({"set", "max"}).exitCode, 0);
    ctltest::CtlResult calibrate;
    std::thread run([&calibrate] { calibrate = RunCtl({"calibrate"}, 60000); });
    // Once the run is under way, the cancel pellixctl sends on Ctrl+C.
    const bool running = Eventually([] {
        const ctl::CallResult progress = ctl::Call({kelp::control::Command::CalibrationProgress}, 2000);
        return progress.status == ctl::CallResult::Status::Answered && progress.reply.progress.step > 5;
    }, 30000);
    const ctl::CallResult cancel = ctl::Call({kelp::control::Command::CancelCalibration}, 2000);
    run.join();
    ASSERT_TRUE(running);
    EXPECT_EQ(cancel.status, ctl::CallResult::Status::Answered);
    EXPECT_EQ(calibrate.exitCode, 1) << calibrate.out << calibrate.err;
    EXPECT_NE(calibrate.err.find("cancelled"), std::string::npos) << calibrate.err;
    EXPECT_TRUE(WaitForLevel(2)) << "the level from before the run is back";
    EXPECT_EQ(ReadDword(kAdvanceKey, "Calibration_Flag").value_or(1), 0u);
    EXPECT_FALSE(ReadDword(kRootKey, "Threshold1"));
    EXPECT_EQ(RunCtl({"set", "auto", "--yes"}).exitCode, 4);
}

TEST(CtlProgramStart, TheControlPipeComesOnceItsNameIsFree)
{
    ResetProgramRegistry();
    // A previous run still ending holds the name when the program starts.
    const std::string path = std::string("\\\\.\\pipe\\") + kelp::control::kPipeName;
    kelp::OwnedHandle held(CreateNamedPipeA(path.c_str(), PIPE_ACCESS_DUPLEX | FILE_FLAG_FIRST_PIPE_INSTANCE,
                                            PIPE_TYPE_MESSAGE | PIPE_READMODE_MESSAGE, 1, 256, 256, 0, nullptr));
    ASSERT_TRUE(held.IsValid());
    Program program("");
    ASSERT_TRUE(program.Started());
    Sleep(1500);
    held.Reset();
    EXPECT_TRUE(Eventually([] { return RunCtl({"get"}).out == "high\n"; }, 10000));
}

TEST(CtlDaily, PrintsTheDaysPellixKeepsAsItsOwnExportWould)
{
    // Forty days up to yesterday with a few gaps, stored as the program stores them.
    const int today = SavingsLedger::LocalToday();
    std::vector<history::DayRecord> days;
    for (int day = today - 40; day < today; ++day) {
        if (day % 7 == 2)
            continue;
        history::DayRecord record;
        record.day = day;
        const double scale = 1 + (day % 5) * 0.37;
        record.boardSaved = {0, 0.25, 9.125 * scale, 14.0 / 3 * scale, 5.5 * scale};
        record.vgaSaved = {0, 0, 1.5 * scale, 2.5 * scale, 1.0 / 7};
        record.modeSeconds = {60, 3600, uint32_t(7200 * scale), 9000, uint32_t(day % 86400)};
        record.autoGearSeconds = {0, 1800, 1800, uint32_t(day % 1000)};
        record.cpuUsed = 180.1 * scale;
        record.co2Avoided = record.Saved() * 615;
        days.push_back(record);
    }
    ResetProgramRegistry();
    const std::vector<uint8_t> stored = history::EncodeHistory(days);
    ASSERT_EQ(RegSetKeyValueA(HKEY_LOCAL_MACHINE, RegKey::OrdunHistory, RegValue::HistoryDays, REG_BINARY,
                              stored.data(), DWORD(stored.size())),
              ERROR_SUCCESS);
    Program program("");
    ASSERT_TRUE(program.Started());
    ASSERT_TRUE(pipetest::WaitForPipe(kelp::control::kPipeName, 10000));

    // The running program may have begun today's row meanwhile; every
    // stored day comes first, row for row.
    const ctltest::CtlResult csv = RunCtl({"energy", "--daily", "--csv"});
    ASSERT_EQ(csv.exitCode, 0) << csv.err;
    const std::string expected = history::CsvDocument(days);
    ASSERT_EQ(csv.out.substr(0, expected.size()), expected);
    const std::string rest = csv.out.substr(expected.size());
    char date[11];
    calendar::FormatIsoDate(today, date);
    EXPECT_TRUE(rest.empty() || (rest.rfind(date, 0) == 0 && rest.find("\r\n") == rest.size() - 2)) << rest;

    const ctltest::CtlResult json = RunCtl({"energy", "--daily", "--json"});
    ASSERT_EQ(json.exitCode, 0) << json.err;
    const nlohmann::json list = nlohmann::json::parse(json.out);
    ASSERT_GE(list.size(), days.size());
    const std::vector<history::CsvColumn>& columns = history::CsvColumns();
    for (size_t index = 0; index < days.size(); ++index) {
        calendar::FormatIsoDate(days[index].day, date);
        EXPECT_EQ(list[index].at("date"), date);
        const std::vector<double> values = history::CsvValues(days[index]);
        for (size_t column = 0; column < columns.size(); ++column)
            EXPECT_EQ(list[index].at(columns[column].name).get<double>(), values[column])
                << date << " " << columns[column].name;
    }

    const ctltest::CtlResult table = RunCtl({"energy", "--daily"});
    ASSERT_EQ(table.exitCode, 0) << table.err;
    calendar::FormatIsoDate(days.front().day, date);
    EXPECT_EQ(table.out.rfind("Date", 0), 0u) << table.out;
    EXPECT_NE(table.out.find(std::string("\n") + date + "  "), std::string::npos) << table.out;
}
