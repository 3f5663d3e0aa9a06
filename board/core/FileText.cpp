#include "board/core/FileText.h"

#include "board/core/Handle.h"

#include <windows.h>

namespace vboard {
namespace {
void CreateParentFolders(const std::string& path)
{
    for (size_t slash = path.find_first_of("\\/", 3); slash != std::string::npos;
         slash = path.find_first_of("\\/", slash + 1))
        CreateDirectoryA(path.substr(0, slash).c_str(), nullptr);
}
} // namespace

bool ReadFileText(const std::string& path, std::string& text)
{
    Handle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return false;
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file.Get(), &size) || size.QuadPart > 16 * 1024 * 1024)
        return false;
    text.assign(size_t(size.QuadPart), '\0');
    DWORD read = 0;
    if (!text.empty() && (!ReadFile(file.Get(), text.data(), DWORD(text.size()), &read, nullptr) || read != text.size()))
        return false;
    return true;
}

bool ReplaceFileText(const std::string& path, const std::string& text)
{
    CreateParentFolders(path);
    std::string temporary = path + ".tmp";
    {
        Handle file(CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file)
            return false;
        DWORD written = 0;
        if (!WriteFile(file.Get(), text.data(), DWORD(text.size()), &written, nullptr) || written != text.size())
            return false;
    }
    return MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
}

} // namespace vboard
