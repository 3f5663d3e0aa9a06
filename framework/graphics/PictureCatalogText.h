#pragma once
// The catalogue of a folder of shipped pictures, written with the artwork:
// one line per picture file, "name size width height bits alpha", giving
// the file's size in bytes and what its header says. Plain C++ so that it
// runs anywhere.

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

// The catalogue file's name inside a picture folder.
constexpr const char* kPictureCatalogFile = "Pictures.txt";

struct TCatalogEntry {
    uint64_t fileSize = 0;
    int width = 0;
    int height = 0;
    int bits = 0;  // the format the picture is held in: 4, 24 or 32
    bool alphaDefined = false;

    bool operator==(const TCatalogEntry&) const = default;
};

// Entries keyed by the file name in lower case (file names compare without
// case). Lines that are not such an entry (comments starting with "#",
// damage) are skipped, and a name listed twice with different entries is
// dropped: the picture is then read from its own header.
std::unordered_map<std::string, TCatalogEntry> ParsePictureCatalog(std::string_view text);

// The file name in lower case, as the catalogue keys it.
std::string CatalogKey(std::string_view name);
