#pragma once
// Throw-away places for tests, unique to this process and removed again by
// the destructor: a folder under %TEMP% and a key under HKCU\Software\PellixTest.

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace scratch {

inline std::string Unique(const std::string& name)
{
    return "pellix_" + name + "_" + std::to_string(GetCurrentProcessId());
}

class Folder {
public:
    explicit Folder(const std::string& name)
        : path_((std::filesystem::temp_directory_path() / Unique(name)).string() + "\\")
    {
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~Folder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    Folder(const Folder&) = delete;
    Folder& operator=(const Folder&) = delete;

    // Ends with a backslash.
    const std::string& Path() const { return path_; }
    // Writes the bytes as given, creating folders on the way.
    void Write(const std::string& relativePath, const std::string& content) const
    {
        std::filesystem::path file(path_ + relativePath);
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary | std::ios::trunc) << content;
    }

private:
    std::string path_;
};

class RegistryArea {
public:
    explicit RegistryArea(const std::string& name) : path_("Software\\PellixTest\\" + Unique(name))
    {
        RegDeleteTreeA(HKEY_CURRENT_USER, path_.c_str());
    }
    ~RegistryArea()
    {
        RegDeleteTreeA(HKEY_CURRENT_USER, path_.c_str());
        RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\PellixTest"); // fails while others still use it
    }
    RegistryArea(const RegistryArea&) = delete;
    RegistryArea& operator=(const RegistryArea&) = delete;

    // Sub-key paths relative to HKEY_CURRENT_USER.
    const std::string& Path() const { return path_; }
    std::string Sub(const std::string& name) const { return path_ + "\\" + name; }

private:
    std::string path_;
};

} // namespace scratch
