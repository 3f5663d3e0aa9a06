#include "hw/SpindownTimeout.h"

#include "framework/system/ExecutableFolder.h"
#include "framework/system/ProcessWide.h"
#include "kelp/System/MessageBox.h"

namespace kelp {

SpindownTimeout& SpindownTimeout::Instance()
{
    static ProcessWide<SpindownTimeout> library(ExecutableFolder());
    return *library;
}

SpindownTimeout::SpindownTimeout(const std::string& folder)
    : m_module(LoadLibraryA((folder + "VtSpindownTimeout.dll").c_str()))
{
    if (!m_module) {
        ShowMessage("Can not load VtSpindownTimeout.dll", "Pellix");
        return;
    }
    m_get = ResolveExport<Function>(m_module.get(), "VtGetSpindownTimeout");
    m_set = ResolveExport<Function>(m_module.get(), "VtSetSpindownTimeout");
    if (!m_get || !m_set)
        ShowMessage("Can not attach the function of VtSpindownTimeout.dll", "Pellix");
}

void SpindownTimeout::SetSpindownTimeout(uint32_t value)
{
    if (m_set)
        m_set(&value);
}

} // namespace kelp
