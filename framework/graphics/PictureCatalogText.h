#pragma once
// The catalogue of a folder of shipped pictures, written with the artwork:
// one line per picture file, "name size width height bits alpha", giving
// the file's size in bytes and what its header says, and the rule that
// decides whether a line still describes the file the folder holds. Plain
// C++ so that it runs anywhere.

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

// What a folder's listing tells of a file without opening it: its size in
// bytes and its last write, in the system's file-time steps of 100 ns.
struct TListedFile {
    uint64_t size = 0;
    uint64_t lastWrite = 0;
};

// How much later than its catalogue a picture may have been written and
// still count as written with it: a checkout, a build or an installation
// writes a folder's files in any order, moments apart.
constexpr uint64_t kCatalogWriteSlack = 10ull * 10000000;  // 10 s

// Whether the entry still describes the listed file: the file has the size
// the entry gives and was not written after the catalogue. A picture
// replaced later, even by one of the same size, is then read from its own
// header. The times say nothing of a checkout's or a copy's content, so the
// size must match too.
bool CatalogDescribes(const TCatalogEntry& entry, const TListedFile& file, uint64_t catalogLastWrite);
