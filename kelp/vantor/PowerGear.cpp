#include "kelp/vantor/PowerGear.h"

#include "framework/system/ProcessWide.h"
#include "kelp/System/Assert.h"
#include "kelp/System/MessageBox.h"
#include "kelp/vantor/BiosItems.h"
#include "kelp/vantor/PowerGearDll.h"
#include "kelp/vantor/PowerGearSource.h"
#include "kelp/vantor/ThresholdStore.h"

#include <cstdlib>
#include <ctime>

namespace kelp {

int PowerGear::m_impIndex = -1;

std::unique_ptr<PowerGearImp> PowerGear::CreateImp()
{
    KELP_ASSERT(m_impIndex != -1, kPowerGearSource, 1687);
    auto imp = std::make_unique<PowerGearDll>(m_impIndex == 0 ? "" : "Tamsel");
    // A failed load leaves the support level 0; callers see IsSupported() false.
    imp->Open();
    return imp;
}

PowerGear& PowerGear::Instance()
{
    static ProcessWide<PowerGear> gear(CreateImp());
    return *gear;
}

PowerGear::PowerGear(std::unique_ptr<PowerGearImp> imp, ThresholdStore* store)
    : m_imp(std::move(imp)), m_thresholds(store)
{
}

ThresholdStore& PowerGear::Thresholds()
{
    return m_thresholds ? *m_thresholds : ThresholdStore::Instance();
}

int PowerGear::GetLevel()
{
    KELP_ASSERT(IsSupported(), kPowerGearSource, 420);
    return m_imp->GetLevel();
}

bool PowerGear::NeedsLevelZeroFirst()
{
    // The support level is known in memory, the current level costs a board
    // read: advanced boards, which never need the detour, skip the read.
    return !IsAdvancedGear() && unsigned(GetLevel()) > 255;
}

bool PowerGear::SetLevel(int level)
{
    KELP_ASSERT(IsSupported(), kPowerGearSource, 430);
    if (NeedsLevelZeroFirst())
        m_imp->SetLevel(0);
    return m_imp->SetLevel(level);
}

bool PowerGear::SetLevelItem(int level)
{
    KELP_ASSERT(IsSupported(), kPowerGearSource, 444);
    if (NeedsLevelZeroFirst())
        m_imp->SetLevelItem(0);
    return m_imp->SetLevelItem(level);
}

int PowerGear::GetIcpu()
{
    if (!IsAdvancedGear()) {
        std::srand(unsigned(std::time(nullptr)));
        return std::rand() % 30;
    }
    uint32_t current = 0;
    if (!GetItem(BiosItemId::kCpuCurrent, current)) {
        ShowMessage("Can not get ICPU", "PowerGear");
        return 0;
    }
    return int(current);
}

int PowerGear::GetAutoGear()
{
    uint32_t gear = 0;
    return GetItem(BiosItemId::kAutoGear, gear) ? int(gear) : 1;
}

bool PowerGear::LoadThresholds()
{
    ThresholdStore& store = Thresholds();
    store.Load();
    return store.IsValid();
}

bool PowerGear::SetThresholds(uint32_t t1, uint32_t t2, uint32_t t3)
{
    const uint32_t values[] = {t1, t2, t3};
    return SetThresholds(values, 3);
}

bool PowerGear::SetThresholds(const uint32_t* values, int count)
{
    return Thresholds().Store(values, count > 0 ? size_t(count) : 0);
}

} // namespace kelp
