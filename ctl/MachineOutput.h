#pragma once
// The language-neutral output of pellixctl for scripts: JSON for status,
// get, list and energy, CSV for energy. Built with a JSON library, never by
// hand; every name is plain ASCII. The daily history's CSV is the history
// window's own (history::CsvDocument).

#include "ipc/ControlProtocol.h"

#include <string>
#include <vector>

namespace ctl {

// Why a mode cannot be chosen now (Reason::None when it can), as the
// program would refuse it.
kelp::control::Reason Unavailability(const kelp::control::Status& status, int level);
// The reason's name in machine output ("calibration-needed").
const char* ReasonToken(kelp::control::Reason reason);

// "YYYY-MM-DDTHH:MM:SS" of a local FILETIME; empty for 0.
std::string LocalTimeText(uint64_t fileTime);

std::string StatusJson(const kelp::control::Status& status);
std::string GetJson(const kelp::control::Status& status);
std::string ListJson(const kelp::control::Status& status);
std::string EnergyJson(const kelp::control::Status& status);
std::string EnergyCsv(const kelp::control::Status& status);
// The days as an array of objects named as the CSV's columns, seconds as
// integers and figures unrounded.
std::string DailyJson(const std::vector<history::DayRecord>& days);

} // namespace ctl
