#include "hw/ProfileFolder.h"

#include "framework/system/Trace.h"
#include "ipc/OwnedHandle.h"

#include <aclapi.h>
#include <sddl.h>

namespace kelp {
namespace {
// Protected from inheritance: administrators and the system have full
// control, users may list and read what the folder holds, nothing more.
constexpr const char* kFolderSecurity = "D:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;0x1200a9;;;BU)";

using LocalMemory = ProfileFolder::Descriptor;

bool IsWellKnown(PSID sid, WELL_KNOWN_SID_TYPE type)
{
    BYTE buffer[SECURITY_MAX_SID_SIZE];
    DWORD size = sizeof buffer;
    return CreateWellKnownSid(type, nullptr, buffer, &size) && EqualSid(sid, buffer);
}

bool IsRunningUser(PSID sid)
{
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token))
        return false;
    BYTE buffer[sizeof(TOKEN_USER) + SECURITY_MAX_SID_SIZE];
    DWORD size = 0;
    const bool same = GetTokenInformation(token, TokenUser, buffer, sizeof buffer, &size) &&
                      EqualSid(sid, reinterpret_cast<TOKEN_USER*>(buffer)->User.Sid);
    CloseHandle(token);
    return same;
}

bool IsWine()
{
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

// Opens the folder itself, never what a link in its place points to.
HANDLE OpenFolder(const std::string& path, DWORD access)
{
    return CreateFileA(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                       FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
}

bool IsReparsePoint(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

bool IsTrustedFolder(HANDLE folder, const std::string& path)
{
    BY_HANDLE_FILE_INFORMATION info{};
    if (IsReparsePoint(path) || !GetFileInformationByHandle(folder, &info) ||
        (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) || !(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return false;
    PSID owner = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (GetSecurityInfo(folder, SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION, &owner, nullptr, nullptr, nullptr,
                        &descriptor) != ERROR_SUCCESS)
        return false;
    const LocalMemory owned(descriptor);
    return owner && ProfileFolder::IsTrustedOwner(owner);
}

// Takes back rights an earlier version granted users on the folder itself.
void RestrictFolder(HANDLE folder)
{
    const LocalMemory descriptor = ProfileFolder::FolderSecurity();
    BOOL present = FALSE, defaulted = FALSE;
    PACL acl = nullptr;
    if (!descriptor || !GetSecurityDescriptorDacl(descriptor.get(), &present, &acl, &defaulted) ||
        SetSecurityInfo(folder, SE_FILE_OBJECT, DACL_SECURITY_INFORMATION | PROTECTED_DACL_SECURITY_INFORMATION,
                        nullptr, nullptr, acl, nullptr) != ERROR_SUCCESS)
        Trace("~~~[ProfileFolder] cannot restrict the profile folder (%lu)", GetLastError());
}
} // namespace

ProfileFolder::Descriptor ProfileFolder::FolderSecurity()
{
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    ConvertStringSecurityDescriptorToSecurityDescriptorA(kFolderSecurity, SDDL_REVISION_1, &descriptor, nullptr);
    return Descriptor(descriptor);
}

bool ProfileFolder::IsTrustedOwner(PSID owner)
{
    return IsWellKnown(owner, WinBuiltinAdministratorsSid) || IsWellKnown(owner, WinLocalSystemSid) ||
           (IsWine() && IsRunningUser(owner));
}

bool ProfileFolder::Prepare(const std::string& path)
{
    const LocalMemory descriptor = ProfileFolder::FolderSecurity();
    SECURITY_ATTRIBUTES security{sizeof security, descriptor.get(), FALSE};
    if (!descriptor || (!CreateDirectoryA(path.c_str(), &security) && GetLastError() != ERROR_ALREADY_EXISTS)) {
        Trace("~~~[ProfileFolder] cannot create %s (%lu)", path.c_str(), GetLastError());
        return false;
    }
    // Without the right to change the access list (not elevated) the
    // folder is still checked, only left as it is.
    OwnedHandle folder(OpenFolder(path, READ_CONTROL | WRITE_DAC | FILE_READ_ATTRIBUTES));
    const bool mayRestrict = folder.IsValid();
    if (!mayRestrict)
        folder.Reset(OpenFolder(path, READ_CONTROL | FILE_READ_ATTRIBUTES));
    if (!folder.IsValid() || !IsTrustedFolder(folder.Get(), path)) {
        Trace("~~~[ProfileFolder] %s is a link or not owned by the administrators, refused", path.c_str());
        return false;
    }
    if (mayRestrict)
        RestrictFolder(folder.Get());
    return true;
}

bool ProfileFolder::IsPlainFile(HANDLE file, const std::string& path)
{
    BY_HANDLE_FILE_INFORMATION info{};
    return !IsReparsePoint(path) && GetFileInformationByHandle(file, &info) &&
           !(info.dwFileAttributes & (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY)) &&
           info.nNumberOfLinks == 1;
}

} // namespace kelp
