#include "engine/SavingsLedger.h"

#include "policy/Policies.h"
#include "engine/CalendarDay.h"
#include "engine/RegistryLayout.h"
#include "engine/SavingsHistoryCodec.h"
#include "framework/system/Trace.h"
#include "kelp/System/WinRegistry.h"

#include <windows.h>

#include <cmath>

namespace {

// The stored days' size and type, asked before they are read so that an
// oversized value is refused without reading it.
bool StoredHistorySize(DWORD& type, DWORD& size)
{
    size = 0;
    return RegGetValueA(HKEY_LOCAL_MACHINE, RegKey::OrdunHistory, RegValue::HistoryDays, RRF_RT_ANY, &type, nullptr,
                        &size) == ERROR_SUCCESS;
}

bool IsFactor(double gramsPerKilowattHour)
{
    return std::isfinite(gramsPerKilowattHour) && gramsPerKilowattHour >= 1 &&
           gramsPerKilowattHour <= history::kMaxCo2PerWattHour;
}

} // namespace

int SavingsLedger::LocalToday()
{
    SYSTEMTIME local{};
    GetLocalTime(&local);
    return calendar::DayNumber({local.wYear, local.wMonth, local.wDay});
}

// The generations count on from the boot's tick count, so that a reader
// spanning a restart of the program does not take the new run's days for
// the old run's.
SavingsLedger::SavingsLedger(DayClock clock) : clock_(std::move(clock)), history_(GetTickCount()) {}

void SavingsLedger::Load()
{
    history_.Clear();
    co2PerWattHour_ = kDefaultCo2PerWattHour;
    loaded_ = true;
    kelp::RegistryKeyReader key;
    if (!key.Open(HKEY_LOCAL_MACHINE, RegKey::OrdunHistory))
        return;
    DWORD factor = 0;
    if (key.ReadDword(RegValue::EmissionFactor, factor)) {
        if (IsFactor(factor))
            co2PerWattHour_ = factor;
        else
            Trace("~~~[SavingsHistory] emission factor %lu ignored", factor);
    }
    DWORD type = 0;
    DWORD size = 0;
    if (!StoredHistorySize(type, size))
        return;
    if (type != REG_BINARY || size > history::kMaxStoredBytes) {
        Trace("~~~[SavingsHistory] stored days ignored: type %lu, %lu bytes", type, size);
        return;
    }
    std::vector<uint8_t> bytes(size);
    if (!key.ReadBinary(RegValue::HistoryDays, bytes.data(), size)) {
        Trace("~~~[SavingsHistory] stored days unreadable");
        return;
    }
    unsigned problems = 0;
    history_.Assign(history::DecodeHistory(bytes.data(), size, clock_(), problems));
    if (problems)
        Trace("~~~[SavingsHistory] stored days damaged (%s): %u days kept",
                    history::DescribeProblems(problems).c_str(), unsigned(history_.Days().size()));
}

double SavingsLedger::Co2PerWattHour() const
{
    return policy::CurrentPolicies().emissionFactor.value_or(co2PerWattHour_);
}

bool SavingsLedger::IsFactorManaged()
{
    return policy::CurrentPolicies().emissionFactor.has_value();
}

void SavingsLedger::Record(history::Tick tick)
{
    const int today = clock_();
    tick.co2PerWattHour = Co2PerWattHour();
    TraceClockStep(today);
    if (!history_.Add(today, tick))
        Trace("~~~[SavingsHistory] a tick older than every day kept is dropped");
    lastDay_ = today;
    unsavedSeconds_ += tick.seconds;
    if (unsavedSeconds_ >= kSaveEverySeconds)
        Save();
}

void SavingsLedger::TraceClockStep(int day)
{
    // Days without the program between two runs are no clock step; within
    // a run, a day back or a day skipped is.
    if (!lastDay_ || day == *lastDay_ || day == *lastDay_ + 1)
        return;
    char date[11];
    calendar::FormatIsoDate(day, date);
    Trace("~~~[SavingsHistory] clock moved %s to %s", day < *lastDay_ ? "back" : "forward", date);
}

bool SavingsLedger::Save()
{
    if (!loaded_)
        return false;
    unsavedSeconds_ = 0;
    const std::vector<uint8_t> bytes = history::EncodeHistory(history_.Days());
    kelp::RegistryKey key;
    const bool saved = key.Open(HKEY_LOCAL_MACHINE, RegKey::OrdunHistory, true) &&
                       key.WriteBinary(RegValue::HistoryDays, bytes.data(), DWORD(bytes.size()));
    // On disk before the next minute's ticks: a power cut then loses no more.
    if (saved)
        key.Flush();
    else
        Trace("~~~[SavingsHistory] save failed");
    return saved;
}

bool SavingsLedger::Clear()
{
    history_.Clear();
    Trace("~~~[SavingsHistory] cleared");
    return Save();
}

bool SavingsLedger::SetCo2PerWattHour(double gramsPerKilowattHour)
{
    if (!IsFactor(gramsPerKilowattHour))
        return false;
    const DWORD factor = DWORD(std::lround(gramsPerKilowattHour));
    kelp::RegistryKey key;
    if (!key.Open(HKEY_LOCAL_MACHINE, RegKey::OrdunHistory, true) || !key.WriteDword(RegValue::EmissionFactor, factor))
        return false;
    co2PerWattHour_ = factor;
    return true;
}

bool SavingsLedger::ResetCo2PerWattHour()
{
    kelp::RegistryKey key;
    if (!key.Open(HKEY_LOCAL_MACHINE, RegKey::OrdunHistory, true))
        return false;
    key.DeleteValue(RegValue::EmissionFactor);
    co2PerWattHour_ = kDefaultCo2PerWattHour;
    return true;
}
