#include "hw/UsersModifyAcl.h"

#include <accctrl.h>
#include <aclapi.h>

namespace kelp {
namespace {
class WellKnownSid {
public:
    WellKnownSid(BYTE count, DWORD first, DWORD second)
    {
        SID_IDENTIFIER_AUTHORITY authority = SECURITY_NT_AUTHORITY;
        if (!AllocateAndInitializeSid(&authority, count, first, second, 0, 0, 0, 0, 0, 0, &m_sid))
            m_sid = nullptr;
    }
    ~WellKnownSid()
    {
        if (m_sid)
            FreeSid(m_sid);
    }
    WellKnownSid(const WellKnownSid&) = delete;
    WellKnownSid& operator=(const WellKnownSid&) = delete;
    PSID Get() const { return m_sid; }

private:
    PSID m_sid = nullptr;
};

constexpr DWORD kModify = FILE_GENERIC_READ | FILE_GENERIC_WRITE | FILE_GENERIC_EXECUTE | DELETE;
} // namespace

UsersModifyAcl::UsersModifyAcl()
{
    WellKnownSid users(2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_USERS);
    WellKnownSid admins(2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS);
    WellKnownSid system(1, SECURITY_LOCAL_SYSTEM_RID, 0);
    if (!users.Get() || !admins.Get() || !system.Get())
        return;
    const PSID sids[3] = {users.Get(), admins.Get(), system.Get()};
    EXPLICIT_ACCESSA entries[3] = {};
    for (int i = 0; i < 3; ++i) {
        entries[i].grfAccessPermissions = i == 0 ? kModify : GENERIC_ALL;
        entries[i].grfAccessMode = SET_ACCESS;
        entries[i].grfInheritance = NO_INHERITANCE;
        entries[i].Trustee.TrusteeForm = TRUSTEE_IS_SID;
        entries[i].Trustee.TrusteeType = TRUSTEE_IS_GROUP;
        entries[i].Trustee.ptstrName = static_cast<LPSTR>(sids[i]);
    }
    if (SetEntriesInAclA(3, entries, nullptr, &m_acl) != ERROR_SUCCESS)
        m_acl = nullptr;
}

UsersModifyAcl::~UsersModifyAcl()
{
    if (m_acl)
        LocalFree(m_acl);
}

bool UsersModifyAcl::ApplyTo(HANDLE object) const
{
    return m_acl && SetSecurityInfo(object, SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr, m_acl,
                                    nullptr) == ERROR_SUCCESS;
}

} // namespace kelp
