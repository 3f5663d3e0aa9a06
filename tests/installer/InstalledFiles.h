#pragma once
// Reading an installation from outside: files, folders and text files.

#include <string>
#include <vector>

// The whole file as bytes; empty when it cannot be read.
std::string ReadBytes(const std::string& path);
// A UTF-16 text file (with or without byte-order mark) as UTF-8.
std::string ReadUtf16File(const std::string& path);

bool FileExists(const std::string& path);
bool FolderExists(const std::string& path);

// Every file below a folder (with '\' at the end), as paths relative to it.
std::vector<std::string> FilesUnder(const std::string& folder);
// Their total size in bytes.
unsigned long long BytesUnder(const std::string& folder);

// The text between <tag> and </tag>, empty when the element is missing.
std::string ElementText(const std::string& xml, const std::string& tag);
