#include "ctl/MachineOutput.h"

#include "ctl/CtlCommandLine.h"
#include "engine/CalendarDay.h"
#include "engine/SavingsCsv.h"
#include "policy/PolicyReader.h"

#include <nlohmann/json.hpp>

#include <cstdio>

#include <windows.h>

namespace ctl {
namespace {

using nlohmann::ordered_json;
using namespace kelp::control;

bool Has(const Status& status, uint32_t flag)
{
    return (status.flags & flag) != 0;
}

ordered_json Since(const Status& status)
{
    ordered_json since;
    since["total"] = LocalTimeText(status.totalSince);
    since["current"] = LocalTimeText(status.currentSince);
    return since;
}

ordered_json Account(const Status& status, double totalWh, double currentWh)
{
    ordered_json account;
    account["totalWh"] = totalWh;
    account["currentWh"] = currentWh;
    account["totalCo2G"] = Co2Grams(status, totalWh);
    account["currentCo2G"] = Co2Grams(status, currentWh);
    return account;
}

ordered_json Energy(const Status& status)
{
    ordered_json energy;
    energy["since"] = Since(status);
    energy["board"] = Account(status, status.boardTotalWh, status.boardCurrentWh);
    energy["graphicsCard"] = Account(status, status.vgaTotalWh, status.vgaCurrentWh);
    energy["all"] = Account(status, status.boardTotalWh + status.vgaTotalWh,
                            status.boardCurrentWh + status.vgaCurrentWh);
    return energy;
}

std::string Dump(const ordered_json& json)
{
    return json.dump(2) + "\n";
}

std::string Number(double value)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.6f", value);
    return text;
}

} // namespace

Reason Unavailability(const Status& status, int level)
{
    if (Has(status, kOverclocked))
        return Reason::Overclocked;
    if (Has(status, kConflictingUtility))
        return Reason::ConflictingUtility;
    if (Has(status, kBusy))
        return Reason::Busy;
    if (level != GearLevel::Auto)
        return Reason::None;
    if (!Has(status, kAutoSupported))
        return Reason::AutoUnsupported;
    if (Has(status, kCalibrationNeeded))
        return Reason::CalibrationNeeded;
    if (Has(status, kTweakDisabled))
        return Reason::TweakUnconfirmed;
    return Reason::None;
}

const char* ReasonToken(Reason reason)
{
    switch (reason) {
    case Reason::None:
        break;
    case Reason::Overclocked:
        return "overclocked";
    case Reason::ConflictingUtility:
        return "conflicting-utility";
    case Reason::Busy:
        return "busy";
    case Reason::AutoUnsupported:
        return "auto-unsupported";
    case Reason::TweakUnconfirmed:
        return "tweak-unconfirmed";
    case Reason::CalibrationNeeded:
        return "calibration-needed";
    case Reason::NotCurrent:
        return "not-current";
    case Reason::UnknownLevel:
        return "unknown-level";
    case Reason::NoSuchDay:
        return "no-such-day";
    case Reason::Managed:
        return "managed";
    }
    return "";
}

std::string LocalTimeText(uint64_t fileTime)
{
    FILETIME time{DWORD(fileTime), DWORD(fileTime >> 32)};
    SYSTEMTIME civil{};
    if (fileTime == 0 || !FileTimeToSystemTime(&time, &civil))
        return "";
    char text[32];
    std::snprintf(text, sizeof text, "%04u-%02u-%02uT%02u:%02u:%02u", civil.wYear, civil.wMonth, civil.wDay,
                  civil.wHour, civil.wMinute, civil.wSecond);
    return text;
}

std::string StatusJson(const Status& status)
{
    ordered_json json;
    json["mode"] = NameOfLevel(int(status.level));
    json["autoGear"] = int(status.level) == GearLevel::Auto ? ordered_json(NameOfLevel(AutoGearLevel(status.autoGear))) : ordered_json();
    json["autoSupported"] = Has(status, kAutoSupported);
    json["calibrationNeeded"] = Has(status, kCalibrationNeeded);
    json["tweakDisabled"] = Has(status, kTweakDisabled);
    json["overclocked"] = Has(status, kOverclocked);
    json["conflictingUtility"] = Has(status, kConflictingUtility);
    json["busy"] = Has(status, kBusy);
    json["cpuPowerW"] = status.cpuPowerW;
    json["energy"] = Energy(status);
    ordered_json graphics;
    graphics["connected"] = Has(status, kVgaConnected);
    graphics["synchronised"] = Has(status, kVgaSyncEnabled);
    graphics["ordunSupported"] = Has(status, kVgaOrdunSupported);
    graphics["autoSupported"] = Has(status, kVgaAutoSupported);
    graphics["savingActive"] = Has(status, kVgaSavingActive);
    graphics["powerW"] = status.vgaPowerW;
    json["graphicsCard"] = graphics;
    // The policies in force, by value name; pellixctl reads the values the
    // program obeys.
    ordered_json policies = ordered_json::object();
    for (const policy::PolicyInForce& entry : policy::PoliciesInForce(policy::ReadPolicies()))
        policies[entry.name] = entry.value;
    json["policies"] = policies;
    return Dump(json);
}

std::string GetJson(const Status& status)
{
    ordered_json json;
    json["mode"] = NameOfLevel(int(status.level));
    return Dump(json);
}

std::string ListJson(const Status& status)
{
    ordered_json list = ordered_json::array();
    for (int level : kModeLevels) {
        ordered_json mode;
        mode["mode"] = NameOfLevel(level);
        mode["current"] = int(status.level) == level;
        const Reason reason = Unavailability(status, level);
        mode["available"] = reason == Reason::None;
        mode["reason"] = reason == Reason::None ? ordered_json() : ordered_json(ReasonToken(reason));
        list.push_back(mode);
    }
    return Dump(list);
}

std::string EnergyJson(const Status& status)
{
    return Dump(Energy(status));
}

std::string EnergyCsv(const Status& status)
{
    std::string csv = "account,total_wh,current_wh,total_co2_g,current_co2_g,total_since,current_since\r\n";
    const std::pair<const char*, std::pair<double, double>> rows[] = {
        {"board", {status.boardTotalWh, status.boardCurrentWh}},
        {"graphics_card", {status.vgaTotalWh, status.vgaCurrentWh}},
        {"all", {status.boardTotalWh + status.vgaTotalWh, status.boardCurrentWh + status.vgaCurrentWh}},
    };
    for (const auto& [name, wh] : rows)
        csv += std::string(name) + "," + Number(wh.first) + "," + Number(wh.second) + "," +
               Number(Co2Grams(status, wh.first)) + "," + Number(Co2Grams(status, wh.second)) + "," +
               LocalTimeText(status.totalSince) + "," +
               LocalTimeText(status.currentSince) + "\r\n";
    return csv;
}

std::string DailyJson(const std::vector<history::DayRecord>& days)
{
    const std::vector<history::CsvColumn>& columns = history::CsvColumns();
    ordered_json list = ordered_json::array();
    for (const history::DayRecord& record : days) {
        ordered_json day;
        char date[11];
        calendar::FormatIsoDate(record.day, date);
        day[history::kCsvDateColumn] = date;
        const std::vector<double> values = history::CsvValues(record);
        for (size_t index = 0; index < columns.size(); ++index)
            day[columns[index].name] = columns[index].seconds ? ordered_json(uint32_t(values[index]))
                                                             : ordered_json(values[index]);
        list.push_back(day);
    }
    return Dump(list);
}

} // namespace ctl
