#include "app/AutoAllowed.h"

#include "engine/AdvanceSettings.h"
#include "engine/CpuPowerMonitor.h"
#include "kelp/vantor/PowerGear.h"

bool IsAutoAllowed()
{
    return kelp::PowerGear::Instance().LoadThresholds() && !AdvanceSettings::Instance().IsCalibrationNeeded() &&
           CpuPowerMonitor::Instance().IsAutoAllowedByBios();
}
