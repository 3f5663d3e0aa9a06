#include "screens/history/CsvFile.h"

#include "framework/TKernelHandle.h"

#include <windows.h>

namespace historyview {

bool WriteFileWhole(const std::string& path, const std::string& text)
{
    const std::string part = path + ".part";
    bool written = false;
    {
        HANDLE created =
            CreateFileA(part.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (created == INVALID_HANDLE_VALUE)
            return false;
        const TKernelHandle file(created);
        DWORD done = 0;
        written = WriteFile(file.Get(), text.data(), DWORD(text.size()), &done, nullptr) && done == text.size() &&
                  FlushFileBuffers(file.Get());
    }
    if (written && MoveFileExA(part.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    DeleteFileA(part.c_str());
    return false;
}

} // namespace historyview
