#include "app/Edition.h"

#include "framework/system/ExecutableFolder.h"

#include <windows.h>

std::string ResourceFolder()
{
    return ExecutableFolder() + "Resource\\";
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
