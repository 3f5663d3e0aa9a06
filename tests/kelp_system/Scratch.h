#pragma once
// Throw-away places for tests: a folder under %TEMP% and a registry key
// under HKCU\Software\PellixTest, both unique to this process and removed
// again by the destructor.

#include <windows.h>

#include <string>

namespace scratch {

class Folder {
public:
    explicit Folder(const std::string& name);
    ~Folder();
    Folder(const Folder&) = delete;
    Folder& operator=(const Folder&) = delete;

    // Ends with a backslash.
    const std::string& Path() const { return path_; }
    // Writes bytes exactly as given, creating the folders on the way.
    void Write(const std::string& relativePath, const std::string& content) const;

private:
    std::string path_;
};

class RegistryArea {
public:
    explicit RegistryArea(const std::string& name);
    ~RegistryArea();
    RegistryArea(const RegistryArea&) = delete;
    RegistryArea& operator=(const RegistryArea&) = delete;

    // Sub-key path relative to HKEY_CURRENT_USER.
    const std::string& Path() const { return path_; }
    std::string Sub(const std::string& name) const { return path_ + "\\" + name; }
    bool Exists(const std::string& subKey) const;

private:
    std::string path_;
};

} // namespace scratch
