#pragma once
// Whole-file reads and crash-safe whole-file replacement.

#include <cstdint>
#include <string>

namespace vboard {

// One version of a file, told apart from the others without reading it:
// its size and last write time. ReplaceFileText gives each version a later
// write time than the one it replaces, so two versions written through it
// never share a stamp, however close together they were written.
struct FileStamp {
    uint64_t size = 0;
    uint64_t lastWrite = 0; // 100 ns units since 1601

    bool operator==(const FileStamp&) const = default;
};

// The stamp of the file as it stands now; false when there is none. Costs a
// look at the directory entry, not an open of the file.
bool ReadFileStamp(const std::string& path, FileStamp& stamp);

// The whole file; `stamp`, when given, receives the stamp of the version read.
bool ReadFileText(const std::string& path, std::string& text, FileStamp* stamp = nullptr);

// Writes a sibling temporary file and moves it over the target, so a
// reader sees either the old or the new content, never a torn file.
// Creates missing parent folders. Once it returns the new content is the
// system's: a crash of the writing process cannot lose it. It is not forced
// to the disk, which cost more than the write itself; after a crash of the
// whole system the file is either intact or fails its checksum. `written`,
// when given, receives the stamp of the new version.
bool ReplaceFileText(const std::string& path, const std::string& text, FileStamp* written = nullptr);

} // namespace vboard
