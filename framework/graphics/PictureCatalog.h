#pragma once
// Headers of shipped pictures without opening each file. The forms name a
// few hundred pictures; opening every one at load only to learn its size
// was the largest part of the start. A folder that carries a catalogue (see
// PictureCatalogText.h) is read once: the catalogue, and a listing of the
// folder's files with their sizes and last writes, the catalogue's own
// included. A picture the listing shows as the file its entry was written
// for takes its header from the entry; any other picture, or a folder
// without a catalogue, is read from its own header as before, so that a
// missing or broken file is still found at once.

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/PictureCatalogText.h"

#include <optional>
#include <string>
#include <unordered_map>

class TPictureCatalog {
public:
    // Process-wide; pictures are read on the main thread.
    static TPictureCatalog& Instance();

    // The header the folder's catalogue vouches for, or nothing when the
    // picture has to be read from its file.
    std::optional<TPictureHeader> Header(const std::string& path);

    // The picture's entry was found wrong (its pixels did not fit it): from
    // now on the picture is read from its own header.
    void Forget(const std::string& path);

private:
    struct TFolder {
        std::unordered_map<std::string, TCatalogEntry> entries;
        std::unordered_map<std::string, TListedFile> files;  // keyed as the entries
        uint64_t catalogLastWrite = 0;
    };

    TFolder& Folder(const std::string& folder);

    std::unordered_map<std::string, TFolder> m_folders;
};
