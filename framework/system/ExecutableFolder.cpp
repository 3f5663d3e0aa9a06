#include "framework/system/ExecutableFolder.h"

#include <windows.h>

#include <vector>

std::string ExecutableFolder()
{
    // Grow the buffer until the path is not cut short (long install paths).
    std::vector<char> path(MAX_PATH);
    for (;;) {
        DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0)
            return std::string();
        if (length < path.size()) {
            std::string module(path.data(), length);
            std::string::size_type slash = module.rfind('\\');
            return slash == std::string::npos ? std::string() : module.substr(0, slash + 1);
        }
        if (path.size() >= 32768)
            return std::string();
        path.resize(path.size() * 2);
    }
}
