#include "kelp/vantor/PowerGearImp.h"

#include "kelp/vantor/BiosItems.h"

namespace kelp {

bool PowerGearImp::HasSixThresholds()
{
    return IsItemSupported(BiosItemId::kAutoThreshold4) && IsItemSupported(BiosItemId::kAutoThreshold5) &&
           IsItemSupported(BiosItemId::kAutoThreshold6);
}

bool PowerGearImp::IsThresholdResetPending()
{
    uint32_t value = 0;
    return GetItem(BiosItemId::kThresholdReset, value) && value == 1;
}

void PowerGearImp::ClearThresholdReset()
{
    SetItem(BiosItemId::kThresholdReset, 0);
}

} // namespace kelp
