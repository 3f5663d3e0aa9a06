#include "board/core/FileText.h"

#include "board/core/Handle.h"

#include <windows.h>

#include <algorithm>

namespace vboard {
namespace {
// A file system that keeps write times in whole seconds (FAT keeps two)
// cannot store one tick later: the next version then moves on by this much.
constexpr uint64_t kCoarseTimeStep = 2 * 10000000ull;

void CreateParentFolders(const std::string& path)
{
    for (size_t slash = path.find_first_of("\\/", 3); slash != std::string::npos;
         slash = path.find_first_of("\\/", slash + 1))
        CreateDirectoryA(path.substr(0, slash).c_str(), nullptr);
}

uint64_t Ticks(const FILETIME& time)
{
    return (uint64_t(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

FILETIME FileTimeOf(uint64_t ticks)
{
    return FILETIME{DWORD(ticks), DWORD(ticks >> 32)};
}

// Size and write time only: the whole handle information would also ask
// for the volume's serial number, which costs a call to another process
// under Wine.
bool StampOf(HANDLE file, FileStamp& stamp)
{
    LARGE_INTEGER size;
    FILETIME lastWrite;
    if (!GetFileSizeEx(file, &size) || !GetFileTime(file, nullptr, nullptr, &lastWrite))
        return false;
    stamp = {uint64_t(size.QuadPart), Ticks(lastWrite)};
    return true;
}

// Gives the freshly written file a write time after `previous`: the system's
// own time stamps may be coarser than the time between two writes.
bool StampAfter(HANDLE file, const FileStamp& previous, FileStamp& stamp)
{
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    uint64_t wanted = std::max(Ticks(now), previous.lastWrite + 1);
    for (int attempt = 0; attempt < 2; ++attempt) {
        const FILETIME time = FileTimeOf(wanted);
        if (!SetFileTime(file, nullptr, nullptr, &time) || !StampOf(file, stamp))
            return false;
        if (stamp.lastWrite > previous.lastWrite)
            return true;
        wanted = previous.lastWrite + kCoarseTimeStep;
    }
    return false;
}
} // namespace

bool ReadFileStamp(const std::string& path, FileStamp& stamp)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return false;
    stamp = {(uint64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow, Ticks(data.ftLastWriteTime)};
    return true;
}

bool ReadFileText(const std::string& path, std::string& text, FileStamp* stamp)
{
    Handle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return false;
    FileStamp read;
    if (!StampOf(file.Get(), read) || read.size > 16 * 1024 * 1024)
        return false;
    text.assign(size_t(read.size), '\0');
    DWORD count = 0;
    if (!text.empty() && (!ReadFile(file.Get(), text.data(), DWORD(text.size()), &count, nullptr) || count != text.size()))
        return false;
    if (stamp)
        *stamp = read;
    return true;
}

bool ReplaceFileText(const std::string& path, const std::string& text, FileStamp* written)
{
    FileStamp previous;
    ReadFileStamp(path, previous);
    FileStamp stamp;
    std::string temporary = path + ".tmp";
    {
        const auto create = [&] {
            return Handle(CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
        };
        Handle file = create();
        // The folders are made only when missing, not tried one by one at
        // every write.
        if (!file && GetLastError() == ERROR_PATH_NOT_FOUND) {
            CreateParentFolders(path);
            file = create();
        }
        if (!file)
            return false;
        DWORD count = 0;
        if (!WriteFile(file.Get(), text.data(), DWORD(text.size()), &count, nullptr) || count != text.size())
            return false;
        // Readers that kept the previous version tell a new one by its stamp
        // alone: a version that cannot be told apart is not put in place.
        if (!StampAfter(file.Get(), previous, stamp))
            return false;
    }
    if (!MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING))
        return false;
    if (written)
        *written = stamp;
    return true;
}

} // namespace vboard
