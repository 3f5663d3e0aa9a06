#pragma once
// What the history view needs of the program: the days kept, today's date,
// the question before the days are cleared, the clearing itself, the file
// the user picks for an export, and the emission factor.

#include "engine/SavingsHistory.h"

#include <optional>
#include <string>
#include <vector>

namespace historyview {

class HistoryViewHost {
public:
    virtual ~HistoryViewHost() = default;

    virtual const std::vector<history::DayRecord>& Days() = 0;
    virtual int Today() = 0;
    // True when the user agreed to clear the history.
    virtual bool ConfirmClear() = 0;
    virtual void Clear() = 0;
    // The path the user chose to save the export under; none when cancelled.
    virtual std::optional<std::string> AskExportPath() = 0;
    // The export could not be written.
    virtual void ExportFailed() = 0;
    // g CO2 per kWh, the user's or the default.
    virtual double Co2PerKilowattHour() = 0;
    virtual void SetCo2PerKilowattHour(int grams) = 0;
    // Back to the default factor.
    virtual void ResetCo2PerKilowattHour() = 0;
    // The organisation sets the factor: the box shows it and takes nothing.
    virtual bool IsFactorManaged() = 0;
};

} // namespace historyview
