#include "app/Edition.h"

#include "kelp/System/Language.h"

#include <windows.h>

std::string ResourceFolder()
{
    return kelp::ExecutableFolder() + "Resource\\";
}

bool IsWorkstationEdition()
{
    static const bool workstation = [] {
        const DWORD attributes = GetFileAttributesA((ResourceFolder() + "Ws.bmp").c_str());
        return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
    }();
    return workstation;
}

const char* ApplicationTitle()
{
    return IsWorkstationEdition() ? "Ordun-WS Engine" : "Ordun-6 Engine";
}
