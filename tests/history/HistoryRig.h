#pragma once
// A scripted host for the history window and a history of plausible days:
// a desk machine that saves most on weekdays, in Max Power Saving in the
// mornings, Medium in the afternoons and Auto for the rest.

#include "engine/CalendarDay.h"
#include "screens/history/HistoryViewHost.h"

#include <cmath>
#include <optional>
#include <string>
#include <vector>

namespace historytest {

inline const int kToday = calendar::DayNumber({2026, 12, 9});

inline std::vector<history::DayRecord> SampleDays(int count)
{
    std::vector<history::DayRecord> days;
    for (int i = count - 1; i >= 0; --i) {
        const int day = kToday - i;
        // A few days off the machine.
        if (day % 11 == 3)
            continue;
        history::DayRecord record;
        record.day = day;
        const bool weekend = calendar::Weekday(day) >= 5;
        const double scale = (weekend ? 0.35 : 1.0) * (1.2 + 0.3 * std::sin(day * 0.37));
        record.boardSaved = {0, 0, 9.0 * scale, 14.0 * scale, 5.5 * scale};
        record.vgaSaved = {0, 0, 1.5 * scale, 2.5 * scale, 1.0 * scale};
        record.modeSeconds = {600, 3600, uint32_t(7200 * scale), uint32_t(9000 * scale), uint32_t(5400 * scale)};
        record.autoGearSeconds = {0, 1800, 1800, uint32_t(5400 * scale) - 3600};
        record.cpuUsed = 180 * scale + 60;
        record.co2Avoided = record.Saved() * 615;
        days.push_back(record);
    }
    return days;
}

class FakeHost final : public historyview::HistoryViewHost {
public:
    const std::vector<history::DayRecord>& Days() override { return days; }
    int Today() override { return kToday; }
    bool ConfirmClear() override
    {
        ++questions;
        return agree;
    }
    void Clear() override { days.clear(); }
    std::optional<std::string> AskExportPath() override { return exportPath; }
    void ExportFailed() override { ++failures; }
    double Co2PerKilowattHour() override { return factor; }
    void SetCo2PerKilowattHour(int grams) override { factor = grams; }
    void ResetCo2PerKilowattHour() override { factor = 615; }
    bool IsFactorManaged() override { return factorManaged; }
    bool factorManaged = false;

    std::vector<history::DayRecord> days;
    bool agree = false;
    int questions = 0;
    std::optional<std::string> exportPath;
    int failures = 0;
    double factor = 615;
};

} // namespace historytest
