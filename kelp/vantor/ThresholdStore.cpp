#include "kelp/vantor/ThresholdStore.h"

#include "framework/system/ProcessWide.h"
#include "kelp/System/WinRegistry.h"
#include "kelp/vantor/PowerGear.h"

#include <algorithm>
#include <cstdio>

namespace kelp {

namespace {
constexpr char kKey[] = "Software\\VANTOR\\TAMSEL3";

std::string ValueName(size_t index)
{
    char name[32];
    std::snprintf(name, sizeof name, "Threshold%u", unsigned(index + 1));
    return name;
}
} // namespace

ThresholdStore& ThresholdStore::Instance()
{
    static ProcessWide<ThresholdStore> store(PowerGear::Instance().Imp());
    return *store;
}

ThresholdStore::ThresholdStore(PowerGearImp& gear)
    : gear_(gear), values_(gear.HasSixThresholds() ? 6 : 3, 0)
{
    Load();
}

void ThresholdStore::ClearLocked()
{
    std::fill(values_.begin(), values_.end(), 0);
    valid_ = false;
}

bool ThresholdStore::Load()
{
    std::lock_guard guard(lock_);
    valid_ = false;
    RegistryKeyReader key;
    if (!key.Open(HKEY_LOCAL_MACHINE, kKey)) {
        ClearLocked();
        return false;
    }
    std::vector<uint32_t> loaded(values_.size());
    for (size_t i = 0; i < loaded.size(); ++i) {
        DWORD value = 0;
        if (!key.ReadDword(ValueName(i).c_str(), value)) {
            ClearLocked();
            return false;
        }
        loaded[i] = value;
    }
    key.Close();
    if (gear_.IsThresholdResetPending()) {
        ClearLocked();
        RegistryKey writable;
        if (writable.Open(HKEY_LOCAL_MACHINE, kKey, false))
            for (size_t i = 0; i < values_.size(); ++i)
                writable.DeleteValue(ValueName(i).c_str());
        return true;
    }
    values_ = loaded;
    valid_ = true;
    return true;
}

bool ThresholdStore::Store(const uint32_t* values, size_t count)
{
    std::lock_guard guard(lock_);
    std::copy_n(values, std::min(count, values_.size()), values_.begin());
    return SaveLocked();
}

bool ThresholdStore::SaveLocked()
{
    RegistryKey key;
    if (!key.Open(HKEY_LOCAL_MACHINE, kKey, true))
        return false;
    bool written = true;
    for (size_t i = 0; i < values_.size() && written; ++i)
        written = key.WriteDword(ValueName(i).c_str(), values_[i]);
    key.Close();
    valid_ = written;
    gear_.ClearThresholdReset();
    return written;
}

bool ThresholdStore::IsValid() const
{
    std::lock_guard guard(lock_);
    return valid_;
}

size_t ThresholdStore::Count() const
{
    std::lock_guard guard(lock_);
    return values_.size();
}

std::vector<uint32_t> ThresholdStore::Values() const
{
    std::lock_guard guard(lock_);
    return values_;
}

} // namespace kelp
