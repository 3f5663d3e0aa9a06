#include "Scratch.h"

#include <filesystem>
#include <fstream>

namespace scratch {

namespace {
std::string Unique(const std::string& name)
{
    return "pellix_" + name + "_" + std::to_string(GetCurrentProcessId());
}
} // namespace

Folder::Folder(const std::string& name)
{
    char temp[MAX_PATH + 1] = {};
    GetTempPathA(sizeof(temp), temp);
    path_ = std::string(temp) + Unique(name) + "\\";
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
}

Folder::~Folder()
{
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

void Folder::Write(const std::string& relativePath, const std::string& content) const
{
    std::filesystem::path file(path_ + relativePath);
    std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << content;
}

RegistryArea::RegistryArea(const std::string& name) : path_("Software\\PellixTest\\" + Unique(name))
{
    RegDeleteTreeA(HKEY_CURRENT_USER, path_.c_str());
}

RegistryArea::~RegistryArea()
{
    RegDeleteTreeA(HKEY_CURRENT_USER, path_.c_str());
    // Fails, as it should, while other tests still use the parent.
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\PellixTest");
}

bool RegistryArea::Exists(const std::string& subKey) const
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, subKey.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

} // namespace scratch
