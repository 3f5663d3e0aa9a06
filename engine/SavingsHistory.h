#pragma once
// What the power saving did, day by day: per local calendar day the energy
// the board and the graphics card saved, the CPU energy used, the CO2
// avoided and the time spent in each mode (Auto's time also by the gear it
// ran). Fed by the same energy ticks as the accounts, so that a day's
// savings are what the accounts' totals grew by that day. Bounded: the
// oldest days go first. Plain C++, without a clock of its own.

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace history {

constexpr int kModes = 5;       // by mode index: Turbo, High, Medium, Low, Auto
constexpr int kAutoGears = 4;   // by saving index
constexpr int kAutoMode = 4;
// More than a year and a month, so that twelve whole months always show.
constexpr size_t kMaxDays = 800;
// A day seen twice (the clock set back over it) may hold two days' time.
constexpr uint32_t kMaxDaySeconds = 2 * 86400;
// Far above what any board saves or uses in a day; larger figures are damage.
constexpr double kMaxDayWattHours = 1e12;
// Emission factors, milligrams of CO2 per watt-hour (grams per kilowatt-hour).
constexpr double kMaxCo2PerWattHour = 5000;
// The factor when the user set none.
constexpr double kDefaultCo2PerWattHour = 615;
constexpr double kMaxDayCo2 = kMaxDayWattHours * kMaxCo2PerWattHour;

struct DayRecord {
    int day = 0; // calendar::DayNumber of the local date
    std::array<uint32_t, kModes> modeSeconds{};
    std::array<uint32_t, kAutoGears> autoGearSeconds{};
    std::array<double, kModes> boardSaved{}; // watt-hours
    std::array<double, kModes> vgaSaved{};   // watt-hours
    double cpuUsed = 0;                      // watt-hours
    double co2Avoided = 0;                   // milligrams

    double Saved() const;        // board and graphics card, all modes
    double SavedIn(int mode) const;
    uint32_t Seconds() const;    // all modes
    // Every figure finite, not negative and within a day's bounds.
    bool IsPlausible() const;
};

// One energy tick, as the accounts saw it.
struct Tick {
    int modeIndex = 1;
    int savingIndex = 1;
    double seconds = 0;
    double boardSaved = 0; // watt-hours
    double vgaSaved = 0;   // watt-hours
    double cpuUsed = 0;    // watt-hours
    double co2PerWattHour = 0;
};

class SavingsHistory {
public:
    // `firstGeneration` lets a new run start where an earlier one is unlikely to be.
    explicit SavingsHistory(uint32_t firstGeneration = 0) : generation_(firstGeneration) {}

    // Oldest first, one record a day, dates strictly rising.
    const std::vector<DayRecord>& Days() const { return days_; }
    // Changes whenever a day comes, goes or moves (a new day, the oldest
    // dropped, a load, a clear), not when a tick adds to a day; so a reader
    // taking the days one by one can tell that the list it reads stayed put.
    uint32_t Generation() const { return generation_; }
    // Days must be as Days() describes (the decoder's output).
    void Assign(std::vector<DayRecord> days);
    void Clear();

    // Credits the tick to its day, making the day when it is new. A day
    // older than the latest (a clock set back) goes in its place in order;
    // false when a full history has only later days and drops the tick.
    bool Add(int day, const Tick& tick);

private:
    // The day's record, made when missing; nullptr for a day too old to keep.
    DayRecord* DayAt(int day);

    std::vector<DayRecord> days_;
    uint32_t generation_;
};

} // namespace history
