#include "board/core/BoardPaths.h"

#include <windows.h>
#include <shlobj.h>

namespace vboard {
namespace {
std::string Environment(const char* name)
{
    char value[MAX_PATH * 2];
    DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
    return length > 0 && length < sizeof value ? std::string(value, length) : std::string();
}

// The module (DLL or program) this code is linked into, so each simulated
// library finds the profiles installed beside it.
std::string ModuleFolder()
{
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&ModuleFolder), &module);
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(module, path, sizeof path);
    std::string folder(path, length < sizeof path ? length : 0);
    size_t slash = folder.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : folder.substr(0, slash + 1);
}
} // namespace

std::string StatePath()
{
    std::string path = Environment("PELLIX_BOARD_STATE");
    if (!path.empty())
        return path;
    // Every board access asks for this path, and the folder lookup is a
    // round of registry calls (under Wine even a registry write) in every
    // library of the board: the system's own variable for the folder comes
    // first, and the lookup is made once per module only without it.
    static const std::string defaultPath = [] {
        std::string folder = Environment("ProgramData");
        if (folder.empty()) {
            char data[MAX_PATH];
            if (FAILED(SHGetFolderPathA(nullptr, CSIDL_COMMON_APPDATA, nullptr, SHGFP_TYPE_CURRENT, data)))
                return std::string("board.state");
            folder = data;
        }
        return folder + "\\VANTOR\\VirtualBoard\\board.state";
    }();
    return defaultPath;
}

std::string DefaultProfileName()
{
    std::string name = Environment("PELLIX_BOARD_PROFILE");
    return name.empty() ? "current" : name;
}

std::string ProfileFolder()
{
    return ModuleFolder() + "BoardProfiles\\";
}

std::string ProfilePath(const std::string& name)
{
    if (name.find_first_of("\\/:") != std::string::npos)
        return name;
    return ProfileFolder() + name + ".ini";
}

} // namespace vboard
