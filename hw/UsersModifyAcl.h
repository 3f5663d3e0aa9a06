#pragma once
// An access list that lets every user of the machine read, write and
// delete a file, with full control for administrators and the system.
// It is never given to a folder: users able to delete or replace a folder
// would decide where the program's writes go.

#include <windows.h>

namespace kelp {

class UsersModifyAcl {
public:
    UsersModifyAcl();
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
