#include "framework/graphics/PictureCatalog.h"

#include "framework/graphics/GraphicsError.h"
#include "framework/graphics/Stream.h"

#include <memory>
#include <windows.h>

namespace {

// A catalogue is a few lines per picture; anything larger is not one.
constexpr size_t kMaxCatalogBytes = 1u << 20;

std::string ReadCatalog(const std::string& path)
{
    try {
        TFileStream stream(path);
        if (stream.Size() > kMaxCatalogBytes)
            return {};
        std::string text(stream.Size(), '\0');
        size_t read = 0;
        while (read < text.size()) {
            const size_t n = stream.Read(text.data() + read, text.size() - read);
            if (n == 0)
                break;
            read += n;
        }
        text.resize(read);
        return text;
    } catch (const EFOpenError&) {
        return {};  // no catalogue: every picture is read from its file
    }
}

struct FindCloser {
    void operator()(HANDLE find) const { FindClose(find); }
};

// The folder's files with their sizes and last writes, in one directory
// read instead of an open per file.
std::unordered_map<std::string, TListedFile> ListFiles(const std::string& folder)
{
    std::unordered_map<std::string, TListedFile> files;
    WIN32_FIND_DATAA data;
    const HANDLE handle = FindFirstFileA((folder + "*").c_str(), &data);
    if (handle == INVALID_HANDLE_VALUE)
        return files;
    const std::unique_ptr<void, FindCloser> find(handle);
    do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            files[CatalogKey(data.cFileName)] = {
                (uint64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow,
                (uint64_t(data.ftLastWriteTime.dwHighDateTime) << 32) | data.ftLastWriteTime.dwLowDateTime};
    } while (FindNextFileA(find.get(), &data));
    return files;
}

std::string FolderOf(const std::string& path)
{
    const size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

} // namespace

TPictureCatalog& TPictureCatalog::Instance()
{
    static TPictureCatalog catalog;
    return catalog;
}

TPictureCatalog::TFolder& TPictureCatalog::Folder(const std::string& folder)
{
    const std::string key = CatalogKey(folder);
    auto it = m_folders.find(key);
    if (it != m_folders.end())
        return it->second;
    TFolder& entry = m_folders[key];
    entry.entries = ParsePictureCatalog(ReadCatalog(folder + kPictureCatalogFile));
    if (entry.entries.empty())
        return entry;
    entry.files = ListFiles(folder);
    const auto catalog = entry.files.find(CatalogKey(kPictureCatalogFile));
    if (catalog == entry.files.end())
        entry.entries.clear();  // replaced between the read and the listing: vouches for nothing
    else
        entry.catalogLastWrite = catalog->second.lastWrite;
    return entry;
}

std::optional<TPictureHeader> TPictureCatalog::Header(const std::string& path)
{
    const std::string folder = FolderOf(path);
    const std::string name = CatalogKey(path.substr(folder.size()));
    const TFolder& entries = Folder(folder);
    const auto entry = entries.entries.find(name);
    const auto file = entries.files.find(name);
    if (entry == entries.entries.end() || file == entries.files.end() ||
        !CatalogDescribes(entry->second, file->second, entries.catalogLastWrite))
        return std::nullopt;
    TPictureHeader header;
    header.width = entry->second.width;
    header.height = entry->second.height;
    header.format = HeldPixelFormat(entry->second.bits);
    header.alphaDefined = entry->second.alphaDefined;
    return header;
}

void TPictureCatalog::Forget(const std::string& path)
{
    const std::string folder = FolderOf(path);
    Folder(folder).entries.erase(CatalogKey(path.substr(folder.size())));
}
