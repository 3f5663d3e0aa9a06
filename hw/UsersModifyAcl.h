#pragma once
// An access list that lets every user of the machine read, write and
// delete an object, with full control for administrators and the system.
// Folder lists pass the entries on to what the folder holds.

#include <windows.h>

namespace kelp {

class UsersModifyAcl {
public:
    explicit UsersModifyAcl(bool folder);
    ~UsersModifyAcl();
    UsersModifyAcl(const UsersModifyAcl&) = delete;
    UsersModifyAcl& operator=(const UsersModifyAcl&) = delete;

    // Null when the list could not be built.
    PACL Get() const { return m_acl; }
    // Replaces the object's access list (the handle needs WRITE_DAC).
    bool ApplyTo(HANDLE object) const;

private:
    PACL m_acl = nullptr;
};

} // namespace kelp
