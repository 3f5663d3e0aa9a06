#include "hw/AbsVentryLib.h"

#include "framework/system/Trace.h"
#include "hw/CpuFanExtraModeStore.h"
#include "hw/FanChip.h"
#include "kelp/System/MessageBox.h"
#include "kelp/vantor/BiosItems.h"

#include <cstdio>

namespace kelp {
namespace {
AbsVentryLib*& RegisteredSlot()
{
    static AbsVentryLib* registered = nullptr;
    return registered;
}

// The board's CPU fan profile item: values above 2 all mean the extra curve.
constexpr uint32_t kLastBoardProfile = 2;
constexpr DWORD kExtraModeOnBoardRequest = 3;
} // namespace

AbsVentryLib* AbsVentryLib::Registered()
{
    return RegisteredSlot();
}

AbsVentryLib::AbsVentryLib()
{
    RegisteredSlot() = this;
}

AbsVentryLib::~AbsVentryLib()
{
    if (RegisteredSlot() == this)
        RegisteredSlot() = nullptr;
}

void AbsVentryLib::ReportReadFailure(uint32_t id)
{
    char text[64];
    std::snprintf(text, sizeof text, "Can not get Item(%x) from BIOS", unsigned(id));
    ShowMessage(text, "Tamsel");
}

void AbsVentryLib::Init()
{
    uint8_t base = uint8_t(GetItem(BiosItemId::kFanBaseTemperature));
    const uint8_t profileBase[3] = {base, uint8_t(base + 10), uint8_t(base - 10)};
    for (int i = 0; i < 3; ++i) {
        uint8_t p = profileBase[i];
        m_profileCurves[i] = {uint8_t(p - 30), 0x37, p, 255, p, 255};
        m_cruisePairs[i] = {p, 10};
    }
    if (!CpuFanExtraModeStore::Instance().ReadUserCurve(m_userCurve)) {
        uint8_t t = uint8_t(FanChip().ReadCpuTemperature() / 2);
        m_userCurve = {uint8_t(t - 5), 51, uint8_t(t + 5), 102, uint8_t(t + 15), 255};
    }
}

bool AbsVentryLib::IsCpuFanControlEnabled()
{
    return GetItem(BiosItemId::kCpuFanControl) == 1;
}

bool AbsVentryLib::IsChassisFanControlEnabled()
{
    return GetItem(BiosItemId::kChassisFanControl) == 1;
}

bool AbsVentryLib::HasChassisFanItems()
{
    return IsItemSupported(BiosItemId::kChassisFanControl) && IsItemSupported(BiosItemId::kChassisFanProfile);
}

uint8_t AbsVentryLib::GetCpuFanMode()
{
    CpuFanExtraModeStore& store = CpuFanExtraModeStore::Instance();
    DWORD extra = store.ExtraMode();
    uint32_t board = GetItem(BiosItemId::kCpuFanProfile);
    if (board > kLastBoardProfile)
        board = kExtraCurve;
    if (!IsCpuFanControlEnabled())
        return kFanControlOff;
    if (extra != 0 && board != kExtraCurve)
        return uint8_t(extra + 2);
    if (board == kExtraCurve) {
        store.SetExtraMode(kExtraModeOnBoardRequest);
        return kExtraCurve;
    }
    return uint8_t(board);
}

uint8_t AbsVentryLib::GetChassisFanMode()
{
    if (!IsChassisFanControlEnabled())
        return kFanControlOff;
    uint32_t mode = GetItem(BiosItemId::kChassisFanProfile);
    return mode < 3 ? uint8_t(mode) : 0;
}

FanCurve AbsVentryLib::GetProfileCurve(int index)
{
    switch (index) {
    case 0:
    case 1:
    case 2:
        return m_profileCurves[index];
    case kUserCurve:
        return m_userCurve;
    case kFixedCurve:
        return m_fixedCurve;
    case kExtraCurve: {
        CpuFanExtraModeStore& store = CpuFanExtraModeStore::Instance();
        FanCurve extra;
        if (!store.ReadExtraCurve(extra)) {
            // Temperatures T1, (T1+T3)/2, T3 and duties D1, (D1+D3)/2, D3 of the second profile.
            const FanCurve& p = m_profileCurves[1];
            extra = {p[0], p[1], uint8_t((p[0] + p[4]) / 2), uint8_t((p[1] + p[5]) / 2), p[4], p[5]};
            store.WriteExtraCurve(extra);
        }
        return extra;
    }
    default:
        // A stored extra mode beyond the known curves: the fixed curve keeps
        // the fan safely driven.
        Trace("~~~[AbsVentryLib] unknown fan curve %d, using the fixed curve", index);
        return m_fixedCurve;
    }
}

CruisePair AbsVentryLib::GetCruisePair(int index) const
{
    if (index < 0 || index >= int(m_cruisePairs.size())) {
        Trace("~~~[AbsVentryLib] unknown cruise pair %d, using the first", index);
        return m_cruisePairs[0];
    }
    return m_cruisePairs[index];
}

void AbsVentryLib::SetCpuFanCurve(const FanCurve& curve)
{
    FanChip().SetCpuFanCurve(curve);
}

void AbsVentryLib::ResetCpuFanCurve()
{
    FanChip().ResetCpuFanCurve();
}

void AbsVentryLib::SetChassisFanCruise(uint8_t target, uint8_t tolerance)
{
    FanChip().SetChassisFanCruise(target, tolerance);
}

void AbsVentryLib::RestoreChassisFan()
{
    FanChip().RestoreChassisFan();
}

void AbsVentryLib::SetChassisFanOff()
{
    FanChip().SetChassisFanOff();
}

} // namespace kelp
