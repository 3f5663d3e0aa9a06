#include "app/TrayModeIcon.h"

#include "engine/ModeModel.h"
#include "framework/system/ExecutableFolder.h"

#include <algorithm>
#include <cstdio>

namespace {

SIZE TrayIconSize()
{
    return {GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON)};
}

} // namespace

int TrayIconIndex(bool overclocked, int level, bool restorePending, int autoGear)
{
    if (overclocked)
        return 0;
    int index = 1;
    switch (level) {
    case GearLevel::Turbo:
        index = 0;
        break;
    case GearLevel::HighPerformance:
    case GearLevel::MediumSaving:
    case GearLevel::MaxSaving:
        index = level + 1;
        break;
    case GearLevel::Auto:
        index = restorePending ? 1 : autoGear;
        break;
    default:
        break;
    }
    return std::clamp(index, 0, kTrayIconCount - 1);
}

std::string TrayIconFolder()
{
    return ExecutableFolder() + "Resource\\";
}

std::string TrayIconFileName(int index)
{
    char name[16];
    std::snprintf(name, sizeof(name), "%d.ico", index);
    return name;
}

TIconHandle LoadTrayIconFile(const std::string& folder, int index)
{
    const SIZE size = TrayIconSize();
    const std::string path = folder + TrayIconFileName(index);
    return TIconHandle(static_cast<HICON>(
        LoadImageA(nullptr, path.c_str(), IMAGE_ICON, size.cx, size.cy, LR_LOADFROMFILE)));
}

TIconHandle LoadBuiltInTrayIcon(int index)
{
    const SIZE size = TrayIconSize();
    char name[16];
    std::snprintf(name, sizeof(name), "TRAYICON%d", std::clamp(index, 0, kTrayIconCount - 1));
    HICON icon = static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), name, IMAGE_ICON, size.cx, size.cy, 0));
    // The system's icon is shared; the copy is ours to destroy.
    if (!icon)
        icon = CopyIcon(LoadIconA(nullptr, IDI_APPLICATION));
    return TIconHandle(icon);
}

TIconHandle LoadTrayIcon(const std::string& folder, int index)
{
    TIconHandle icon = LoadTrayIconFile(folder, index);
    return icon ? std::move(icon) : LoadBuiltInTrayIcon(index);
}
