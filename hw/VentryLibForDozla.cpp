#include "hw/VentryLibForDozla.h"

#include "framework/system/ProcessWide.h"

namespace kelp {
namespace {
constexpr uint32_t kMaxSaving = 2;
constexpr uint32_t kNap = 255;
constexpr int kNapCruisePair = 1;
} // namespace

VentryLibForDozla& VentryLibForDozla::Instance()
{
    static ProcessWide<VentryLibForDozla> fans(DozlaLib::Instance());
    return *fans;
}

VentryLibForDozla::VentryLibForDozla(DozlaLib& nap) : m_nap(nap)
{
    Init();
}

bool VentryLibForDozla::IsVentryThreeSupported()
{
    return m_nap.IsVentryThreeSupported();
}

uint32_t VentryLibForDozla::GetItem(uint32_t id)
{
    uint32_t value = 0;
    if (!m_nap.GetItem(id, value))
        ReportReadFailure(id);
    return value;
}

void VentryLibForDozla::SetItem(uint32_t id, uint32_t first, uint32_t)
{
    m_nap.SetItem(id, first);
}

bool VentryLibForDozla::IsItemSupported(uint32_t id)
{
    return m_nap.IsItemSupported(id);
}

void VentryLibForDozla::ApplyNapFans(uint32_t level)
{
    if (GetCpuFanMode() == kFanControlOff)
        SetCpuFanCurve(GetProfileCurve(kExtraCurve));
    if (!HasChassisFanItems() || GetChassisFanMode() != kFanControlOff)
        return;
    if (level == kMaxSaving || level == kNap) {
        SetChassisFanOff();
    } else {
        CruisePair pair = GetCruisePair(kNapCruisePair);
        SetChassisFanCruise(pair.target, pair.tolerance);
    }
}

void VentryLibForDozla::RestoreFans()
{
    uint8_t mode = GetCpuFanMode();
    if (mode == kFanControlOff)
        ResetCpuFanCurve();
    else
        SetCpuFanCurve(GetProfileCurve(mode));
    if (!HasChassisFanItems())
        return;
    if (GetChassisFanMode() == kFanControlOff) {
        RestoreChassisFan();
    } else {
        CruisePair pair = GetCruisePair(kNapCruisePair);
        SetChassisFanCruise(pair.target, pair.tolerance);
    }
}

} // namespace kelp
