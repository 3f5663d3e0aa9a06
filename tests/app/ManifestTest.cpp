// The application manifest built into Pellix.exe, read back from the
// executable's resources as the system's loader reads it.

#include "framework/system/ExecutableFolder.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace {

// The manifest of the executable (resource type 24, id 1), "" when absent.
std::string ManifestOf(const std::string& path)
{
    HMODULE module = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!module)
        return "";
    std::string text;
    if (HRSRC resource = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24))) {
        const DWORD size = SizeofResource(module, resource);
        if (HGLOBAL loaded = LoadResource(module, resource))
            text.assign(static_cast<const char*>(LockResource(loaded)), size);
    }
    FreeLibrary(module);
    return text;
}

// The value of attribute `name` in the first element `element`, "" when either is missing.
std::string Attribute(const std::string& xml, const std::string& element, const std::string& name)
{
    const size_t start = xml.find("<" + element + " ");
    if (start == std::string::npos)
        return "";
    const size_t end = xml.find('>', start);
    const size_t at = xml.find(" " + name + "=\"", start);
    if (at == std::string::npos || at > end)
        return "";
    const size_t value = at + name.size() + 3;
    return xml.substr(value, xml.find('"', value) - value);
}

} // namespace

TEST(Manifest, ExecutableAsksForAdministratorRightsAndNamesItsSystemsAndControls)
{
    const std::string manifest = ManifestOf(ExecutableFolder() + "Pellix.exe");
    ASSERT_FALSE(manifest.empty()) << "Pellix.exe carries no manifest";

    // Unelevated, HKEY_LOCAL_MACHINE writes would be redirected to the virtual store.
    EXPECT_EQ(Attribute(manifest, "requestedExecutionLevel", "level"), "requireAdministrator");
    EXPECT_EQ(Attribute(manifest, "requestedExecutionLevel", "uiAccess"), "false");
    EXPECT_NE(manifest.find("urn:schemas-microsoft-com:asm.v3"), std::string::npos);

    // Windows 7, 8, 8.1 and 10 are declared, so none of them shims the version.
    for (const char* system : {"{35138b9a-5d96-4fbd-8e2d-a2440225f93a}", "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",
                               "{1f676c76-80e1-4239-95bb-83d0f6d0da78}", "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"})
        EXPECT_NE(manifest.find(std::string("<supportedOS Id=\"") + system + "\"/>"), std::string::npos) << system;

    const size_t controls = manifest.find("name=\"Microsoft.Windows.Common-Controls\"");
    ASSERT_NE(controls, std::string::npos);
    EXPECT_EQ(Attribute(manifest.substr(manifest.rfind('<', controls)), "assemblyIdentity", "version"), "6.0.0.0");
    EXPECT_EQ(Attribute(manifest.substr(manifest.rfind('<', controls)), "assemblyIdentity", "publicKeyToken"),
              "6595b64144ccf1df");
}
