#include "hw/VtIoLibrary.h"

#include "framework/system/ExecutableFolder.h"
#include "framework/system/ProcessWide.h"
#include "kelp/System/MessageBox.h"

namespace kelp {
namespace {
const char kLibraryName[] = "VtIo.dll";

std::string SystemFolder()
{
    char path[MAX_PATH];
    UINT length = GetSystemDirectoryA(path, sizeof path);
    if (length == 0 || length >= sizeof path)
        return "";
    std::string folder(path, length);
    if (folder.back() != '\\')
        folder += '\\';
    return folder;
}
} // namespace

VtIoLibrary& VtIoLibrary::Instance()
{
    static ProcessWide<VtIoLibrary> library(DefaultFolders());
    return *library;
}

std::vector<std::string> VtIoLibrary::DefaultFolders()
{
    return {SystemFolder(), ExecutableFolder()};
}

VtIoLibrary::VtIoLibrary(const std::vector<std::string>& folders)
{
    for (const std::string& folder : folders) {
        std::string path = folder + kLibraryName;
        if (!folder.empty() && GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) {
            m_module.reset(LoadLibraryA(path.c_str()));
            if (m_module)
                break;
        }
    }
    if (!m_module) {
        ShowMessage("Can not load VtIo.dll", "");
        return;
    }
    m_open = ResolveExport<OpenFunction>(m_module.get(), "VTIO_Open");
    m_close = ResolveExport<CloseFunction>(m_module.get(), "VTIO_Close");
    m_inPort = ResolveExport<InFunction>(m_module.get(), "VTIO_InPortB");
    m_outPort = ResolveExport<OutFunction>(m_module.get(), "VTIO_OutPortB");
    if (!m_open || !m_close || !m_inPort || !m_outPort)
        ShowMessage("Can not get procedures in VtIO.dll", "");
    if (m_open)
        m_open(SystemFolder().c_str());
}

uint8_t VtIoLibrary::InPortB(uint16_t port) const
{
    return m_inPort ? m_inPort(port) : 0xFF;
}

void VtIoLibrary::OutPortB(uint16_t port, uint8_t value) const
{
    if (m_outPort)
        m_outPort(port, value);
}

} // namespace kelp
