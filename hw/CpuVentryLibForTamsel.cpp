#include "hw/CpuVentryLibForTamsel.h"

#include "framework/system/ProcessWide.h"
#include "kelp/System/MessageBox.h"

#include <cstdio>

namespace kelp {

CpuVentryLibForTamsel& CpuVentryLibForTamsel::Instance()
{
    static ProcessWide<CpuVentryLibForTamsel> fans(PowerGear::Instance());
    return *fans;
}

CpuVentryLibForTamsel::CpuVentryLibForTamsel(PowerGear& gear) : m_gear(gear)
{
    Init();
}

bool CpuVentryLibForTamsel::IsVentryThreeSupported()
{
    return m_gear.IsVentryThreeSupported() != 0;
}

uint32_t CpuVentryLibForTamsel::GetItem(uint32_t id)
{
    uint32_t value = 0;
    if (!m_gear.GetItem(id, value))
        ReportReadFailure(id);
    return value;
}

void CpuVentryLibForTamsel::SetItem(uint32_t id, uint32_t first, uint32_t second)
{
    if (m_gear.SetItemEx(id, first, second) & 1)
        return;
    char text[64];
    std::snprintf(text, sizeof text, "Can not set Item(%x) to BIOS", unsigned(id));
    ShowMessage(text, "Ventry");
}

bool CpuVentryLibForTamsel::IsItemSupported(uint32_t id)
{
    return m_gear.IsItemSupported(id);
}

} // namespace kelp
