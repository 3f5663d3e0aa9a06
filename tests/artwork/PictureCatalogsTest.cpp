// The shipped picture catalogues, checked against the pictures themselves:
// the program places a form's pictures from them without opening the files,
// so a stale line would give a control the wrong size.
// After changing a picture, run tools/picture-catalog.py.

#include "framework/graphics/BmpFileHeader.h"
#include "framework/graphics/PictureCatalogText.h"
#include "framework/system/ExecutableFolder.h"
#include "kelp/Graphics/PngReader.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <windows.h>

namespace {

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

uint64_t FileTime(const FILETIME& time)
{
    return (uint64_t(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

TEST(PictureCatalogs, EveryShippedPictureIsListedAsItsHeaderSays)
{
    const std::string root = ExecutableFolder();
    int pictures = 0;
    for (const char* name : {"Skin\\Main", "Skin\\AdvancedSetting", "Skin\\CpuForm", "Skin\\Dialogs", "Skin\\VgaForm",
                             "Resource"}) {
        const std::string folder = root + name + "\\";
        const auto entries = ParsePictureCatalog(ReadAll(folder + kPictureCatalogFile));
        ASSERT_FALSE(entries.empty()) << folder;
        WIN32_FILE_ATTRIBUTE_DATA catalog{};
        ASSERT_TRUE(GetFileAttributesExA((folder + kPictureCatalogFile).c_str(), GetFileExInfoStandard, &catalog));
        size_t listed = 0;
        WIN32_FIND_DATAA data;
        HANDLE find = FindFirstFileA((folder + "*").c_str(), &data);
        ASSERT_NE(find, INVALID_HANDLE_VALUE) << folder;
        do {
            const std::string file = data.cFileName;
            const std::string kind = CatalogKey(file.substr(file.find_last_of('.') + 1));
            if (kind != "bmp" && kind != "png")
                continue;
            ++pictures;
            const auto entry = entries.find(CatalogKey(file));
            if (entry == entries.end()) {
                ADD_FAILURE() << folder << file << " is not in the catalogue";
                continue;
            }
            ++listed;
            const TPictureHeader header =
                kind == "png" ? kelp::ReadPngFileHeader(folder + file) : ReadBmpFileHeader(folder + file);
            EXPECT_EQ(entry->second.fileSize, data.nFileSizeLow) << folder << file;
            // As the program's folder holds it (copied from the sources), the
            // picture counts as written with its catalogue: the start need
            // not open it.
            EXPECT_TRUE(CatalogDescribes(entry->second, {data.nFileSizeLow, FileTime(data.ftLastWriteTime)},
                                         FileTime(catalog.ftLastWriteTime)))
                << folder << file;
            EXPECT_EQ(entry->second.width, header.width) << folder << file;
            EXPECT_EQ(entry->second.height, header.height) << folder << file;
            EXPECT_EQ(entry->second.bits, static_cast<int>(header.format)) << folder << file;
            EXPECT_EQ(entry->second.alphaDefined, header.alphaDefined) << folder << file;
        } while (FindNextFileA(find, &data));
        FindClose(find);
        // No line for a picture that is no longer shipped.
        EXPECT_EQ(listed, entries.size()) << folder;
    }
    EXPECT_GT(pictures, 200);
}

} // namespace
