#include "engine/SavingsHistory.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace history {
namespace {

bool IsAmount(double value, double limit)
{
    return std::isfinite(value) && value >= 0 && value <= limit;
}

// Time adds up in whole seconds and stops at the day's bound.
void AddSeconds(uint32_t& total, double seconds)
{
    const double sum = double(total) + std::round(seconds);
    total = sum <= 0 ? 0 : sum >= kMaxDaySeconds ? kMaxDaySeconds : uint32_t(sum);
}

// A tick's amount that is not a sane figure adds nothing.
double Amount(double value)
{
    return IsAmount(value, kMaxDayWattHours) ? value : 0;
}

} // namespace

double DayRecord::Saved() const
{
    return std::accumulate(boardSaved.begin(), boardSaved.end(), 0.0) +
           std::accumulate(vgaSaved.begin(), vgaSaved.end(), 0.0);
}

double DayRecord::SavedIn(int mode) const
{
    return mode >= 0 && mode < kModes ? boardSaved[mode] + vgaSaved[mode] : 0;
}

uint32_t DayRecord::Seconds() const
{
    return std::accumulate(modeSeconds.begin(), modeSeconds.end(), 0u);
}

bool DayRecord::IsPlausible() const
{
    auto amount = [](double value) { return IsAmount(value, kMaxDayWattHours); };
    auto time = [](uint32_t seconds) { return seconds <= kMaxDaySeconds; };
    return std::all_of(boardSaved.begin(), boardSaved.end(), amount) &&
           std::all_of(vgaSaved.begin(), vgaSaved.end(), amount) && amount(cpuUsed) &&
           IsAmount(co2Avoided, kMaxDayCo2) && std::all_of(modeSeconds.begin(), modeSeconds.end(), time) &&
           std::all_of(autoGearSeconds.begin(), autoGearSeconds.end(), time);
}

void SavingsHistory::Assign(std::vector<DayRecord> days)
{
    days_ = std::move(days);
    ++generation_;
}

void SavingsHistory::Clear()
{
    days_.clear();
    ++generation_;
}

DayRecord* SavingsHistory::DayAt(int day)
{
    if (!days_.empty() && day == days_.back().day)
        return &days_.back();
    auto at = std::lower_bound(days_.begin(), days_.end(), day,
                               [](const DayRecord& record, int value) { return record.day < value; });
    if (at != days_.end() && at->day == day)
        return &*at;
    if (days_.size() >= kMaxDays) {
        // A full history keeps its latest days; one older than all of them is not kept.
        if (at == days_.begin())
            return nullptr;
        const auto offset = at - days_.begin() - 1;
        days_.erase(days_.begin());
        at = days_.begin() + offset;
    }
    ++generation_;
    DayRecord record;
    record.day = day;
    return &*days_.insert(at, record);
}

bool SavingsHistory::Add(int day, const Tick& tick)
{
    DayRecord* found = DayAt(day);
    if (!found)
        return false;
    DayRecord& record = *found;
    const int mode = tick.modeIndex >= 0 && tick.modeIndex < kModes ? tick.modeIndex : 1;
    AddSeconds(record.modeSeconds[mode], tick.seconds);
    if (mode == kAutoMode && tick.savingIndex >= 0 && tick.savingIndex < kAutoGears)
        AddSeconds(record.autoGearSeconds[tick.savingIndex], tick.seconds);
    const double board = Amount(tick.boardSaved);
    const double vga = Amount(tick.vgaSaved);
    record.boardSaved[mode] += board;
    record.vgaSaved[mode] += vga;
    record.cpuUsed += Amount(tick.cpuUsed);
    const double factor = IsAmount(tick.co2PerWattHour, kMaxCo2PerWattHour) ? tick.co2PerWattHour : 0;
    record.co2Avoided += (board + vga) * factor;
    return true;
}

} // namespace history
