#include "metrics/MetricsFile.h"

#include "ipc/OwnedHandle.h"

#include <windows.h>

#include <vector>

namespace metrics {
namespace {

using kelp::OwnedHandle;

bool IsMissing(DWORD error)
{
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

// Opens the folder itself, not what a reparse point would lead to; other
// processes may read and write in it but not move or delete it meanwhile.
WriteOutcome HoldFolder(const std::wstring& folder, std::vector<OwnedHandle>& held)
{
    const DWORD attributes = GetFileAttributesW(folder.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY))
        return attributes != INVALID_FILE_ATTRIBUTES || IsMissing(GetLastError()) ? WriteOutcome::MissingFolder
                                                                                   : WriteOutcome::WriteFailed;
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT)
        return WriteOutcome::ReparsePoint;
    OwnedHandle handle(CreateFileW(folder.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                   nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT,
                                   nullptr));
    if (!handle.IsValid())
        return WriteOutcome::WriteFailed;
    // Checked again on the handle: the folder may have been swapped between the two looks.
    BY_HANDLE_FILE_INFORMATION information{};
    if (!GetFileInformationByHandle(handle.Get(), &information))
        return WriteOutcome::WriteFailed;
    if (information.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)
        return WriteOutcome::ReparsePoint;
    if (!(information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return WriteOutcome::MissingFolder;
    held.push_back(std::move(handle));
    return WriteOutcome::Written;
}

WriteOutcome CheckTarget(const std::wstring& file)
{
    const DWORD attributes = GetFileAttributesW(file.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return IsMissing(GetLastError()) ? WriteOutcome::Written : WriteOutcome::WriteFailed;
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT)
        return WriteOutcome::ReparsePoint;
    if (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE))
        return WriteOutcome::NotPlainFile;
    return WriteOutcome::Written;
}

bool WriteAll(HANDLE file, std::string_view text)
{
    while (!text.empty()) {
        DWORD written = 0;
        if (!WriteFile(file, text.data(), DWORD(text.size()), &written, nullptr) || written == 0)
            return false;
        text.remove_prefix(written);
    }
    return true;
}

} // namespace

WriteOutcome ReplaceMetricsFile(const MetricsPath& path, std::string_view text)
{
    std::vector<OwnedHandle> held;
    for (const std::wstring& folder : path.folders)
        if (const WriteOutcome outcome = HoldFolder(folder, held); outcome != WriteOutcome::Written)
            return outcome;
    if (const WriteOutcome outcome = CheckTarget(path.file); outcome != WriteOutcome::Written)
        return outcome;
    // A temporary file left by a write cut short, or anything else at its
    // name (a link deletes as itself), goes first; CREATE_NEW then fails
    // rather than open what might have come back.
    DeleteFileW(path.temporary.c_str());
    bool written = false;
    {
        OwnedHandle file(CreateFileW(path.temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                     FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.IsValid())
            return WriteOutcome::WriteFailed;
        written = WriteAll(file.Get(), text);
    }
    if (written && MoveFileExW(path.temporary.c_str(), path.file.c_str(), MOVEFILE_REPLACE_EXISTING))
        return WriteOutcome::Written;
    DeleteFileW(path.temporary.c_str());
    return WriteOutcome::WriteFailed;
}

const char* WriteOutcomeText(WriteOutcome outcome)
{
    switch (outcome) {
    case WriteOutcome::Written:
        return "written";
    case WriteOutcome::MissingFolder:
        return "a folder on the way is missing";
    case WriteOutcome::ReparsePoint:
        return "refused: a reparse point on the way";
    case WriteOutcome::NotPlainFile:
        return "refused: the target is not a plain file";
    case WriteOutcome::WriteFailed:
        return "the file could not be written (full disk, no access)";
    }
    return "unknown";
}

} // namespace metrics
