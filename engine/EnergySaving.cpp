#include "engine/EnergySaving.h"

#include "engine/RegistryLayout.h"
#include "framework/system/Trace.h"
#include "kelp/System/WinRegistry.h"

#include <cmath>

namespace {
constexpr double kSecondsPerHour = 3600;

bool ReadAmount(kelp::RegistryKeyReader& key, const char* name, double& amount)
{
    double value = 0;
    DWORD size = sizeof value;
    if (!key.ReadBinary(name, &value, size) || size != sizeof value || !std::isfinite(value) || value < 0)
        return false;
    amount = value;
    return true;
}
} // namespace

EnergySaving::EnergySaving(const std::array<double, kSavingIndices>& factors) : factors_(factors) {}

double EnergySaving::Factor(int savingIndex) const
{
    return savingIndex >= 0 && savingIndex < kSavingIndices ? factors_[savingIndex] : 0;
}

double EnergySaving::ComputeSaving(int savingIndex, double seconds) const
{
    return power_ * Factor(savingIndex) * seconds / kSecondsPerHour;
}

bool EnergySaving::Load()
{
    kelp::RegistryKeyReader key;
    double total = 0;
    double cumulative = 0;
    const bool loaded = key.Open(HKEY_LOCAL_MACHINE, KeyPath()) && ReadAmount(key, RegValue::TotalSaving, total) &&
                        ReadAmount(key, RegValue::CumulativeSaving, cumulative);
    totalSaving_ = loaded ? total : 0;
    cumulativeSaving_ = loaded ? cumulative : 0;
    return loaded;
}

double EnergySaving::Accumulate(int savingIndex, double seconds)
{
    const double saving = ComputeSaving(savingIndex, seconds);
    totalSaving_ += saving;
    cumulativeSaving_ += saving;
    Trace("~~~[EnergySaving] CurrentPower:%f, Ordun Staus:%d, Facotr %f, CurrentSaving:%f, TotalSaving:%f, "
                "CumulativeSaving:%f",
                power_, savingIndex, Factor(savingIndex), saving, totalSaving_, cumulativeSaving_);
    // A failed write is retried by the next tick.
    Save();
    return saving;
}

bool EnergySaving::Save() const
{
    kelp::RegistryKey key;
    if (!key.Open(HKEY_LOCAL_MACHINE, KeyPath(), true))
        return false;
    return key.WriteBinary(RegValue::CurrentPower, &power_, sizeof power_) &&
           key.WriteBinary(RegValue::TotalSaving, &totalSaving_, sizeof totalSaving_) &&
           key.WriteBinary(RegValue::CumulativeSaving, &cumulativeSaving_, sizeof cumulativeSaving_);
}
