#pragma once
// The savings history of the running program: fed by every energy tick,
// kept under HKLM beside the energy accounts, and written at most once per
// minute of ticks and when asked (at exit). The stored days are one
// REG_BINARY value, replaced whole by a single write, so a crash or a power
// cut loses at most the ticks since the last write and never an earlier day.
// Also holds the emission factor the CO2 figures use.
//
// Security stance: the key is under HKLM, which only administrators write;
// its contents are still decoded as untrusted bytes, never larger than the
// history's bound.

#include "engine/SavingsHistory.h"

#include <functional>
#include <optional>

class SavingsLedger {
public:
    // The local calendar day now, as a calendar::DayNumber.
    using DayClock = std::function<int()>;
    // The emission factor when the user set none: mg CO2 per Wh.
    static constexpr double kDefaultCo2PerWattHour = history::kDefaultCo2PerWattHour;
    // Ticks worth this many seconds are kept in memory before a write.
    static constexpr double kSaveEverySeconds = 60;

    static int LocalToday();

    explicit SavingsLedger(DayClock clock = &LocalToday);

    // Reads the stored days and the emission factor; what is damaged is
    // left out and traced.
    void Load();
    // Credits one tick to today and writes when a minute's worth is due.
    void Record(history::Tick tick);
    // Writes the days now; false when the registry refused or nothing was
    // loaded yet (an empty history must not replace the stored days).
    bool Save();
    // Forgets every day, in memory and stored.
    bool Clear();

    const history::SavingsHistory& History() const { return history_; }
    // mg CO2 per Wh, which is the same number as g CO2 per kWh: the
    // organisation's factor while a policy sets one, else the user's.
    double Co2PerWattHour() const;
    // Whether a policy sets the factor (the user's stays stored for later).
    static bool IsFactorManaged();
    // Stores the local grid's factor (rounded to whole g per kWh); false for
    // a factor outside 1 to the bound, or when it cannot be stored.
    bool SetCo2PerWattHour(double gramsPerKilowattHour);
    // Back to the default factor.
    bool ResetCo2PerWattHour();

private:
    void TraceClockStep(int day);

    DayClock clock_;
    history::SavingsHistory history_;
    double co2PerWattHour_ = kDefaultCo2PerWattHour;
    double unsavedSeconds_ = 0;
    std::optional<int> lastDay_;
    bool loaded_ = false;
};
