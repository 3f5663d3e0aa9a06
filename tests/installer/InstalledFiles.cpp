#include "InstalledFiles.h"

#include "framework/TKernelHandle.h"

#include <windows.h>

std::string ReadBytes(const std::string& path)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return {};
    TKernelHandle owner(file);
    std::string bytes(GetFileSize(file, nullptr), '\0');
    DWORD read = 0;
    ReadFile(file, bytes.data(), DWORD(bytes.size()), &read, nullptr);
    bytes.resize(read);
    return bytes;
}

std::string ReadUtf16File(const std::string& path)
{
    const std::string bytes = ReadBytes(path);
    const auto* begin = reinterpret_cast<const wchar_t*>(bytes.data());
    int length = int(bytes.size() / sizeof(wchar_t));
    if (length > 0 && begin[0] == 0xFEFF) {
        ++begin;
        --length;
    }
    std::string utf8(size_t(length) * 3, '\0');
    utf8.resize(WideCharToMultiByte(CP_UTF8, 0, begin, length, utf8.data(), int(utf8.size()), nullptr, nullptr));
    return utf8;
}

bool FileExists(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool FolderExists(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

namespace {
template <typename Visit>
void Walk(const std::string& folder, const std::string& relative, Visit visit)
{
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA((folder + relative + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        const std::string name = found.cFileName;
        if (name == "." || name == "..")
            continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            Walk(folder, relative + name + "\\", visit);
        else
            visit(relative + name, (unsigned long long)found.nFileSizeHigh << 32 | found.nFileSizeLow);
    } while (FindNextFileA(search, &found));
    FindClose(search);
}
} // namespace

std::vector<std::string> FilesUnder(const std::string& folder)
{
    std::vector<std::string> files;
    Walk(folder, "", [&](const std::string& relative, unsigned long long) { files.push_back(relative); });
    return files;
}

unsigned long long BytesUnder(const std::string& folder)
{
    unsigned long long total = 0;
    Walk(folder, "", [&](const std::string&, unsigned long long size) { total += size; });
    return total;
}

std::string ElementText(const std::string& xml, const std::string& tag)
{
    const std::string open = "<" + tag + ">";
    const size_t begin = xml.find(open);
    const size_t end = xml.find("</" + tag + ">", begin);
    if (begin == std::string::npos || end == std::string::npos)
        return {};
    return xml.substr(begin + open.size(), end - begin - open.size());
}
