#pragma once
// The folder of the calibration profile. Every user may write the profile
// file, but the folder is written by the elevated program alone: users who
// could replace the folder (with a link to somewhere else, say) would steer
// the program's next save, and the rights it grants, onto any file. So the
// folder is created with an access list that lets users only read, and an
// existing one is used only when it is a real folder owned by the
// administrators or the system.

#include <windows.h>

#include <memory>
#include <string>

namespace kelp {

class ProfileFolder {
public:
    struct LocalFreer {
        void operator()(void* memory) const { LocalFree(memory); }
    };
    using Descriptor = std::unique_ptr<void, LocalFreer>;

    // What the folder gets: protected from inheritance, full control for
    // the administrators and the system, reading and listing for users.
    // Null when it cannot be built.
    static Descriptor FolderSecurity();
    // Creates the folder when missing. False (traced) when it cannot be
    // created or is refused.
    static bool Prepare(const std::string& path);
    // The administrators and the system; on Wine, which records every file
    // as its Unix user's, also the user this program runs as.
    static bool IsTrustedOwner(PSID owner);
    // False for a reparse point (link, junction), a folder, or a file with
    // further hard links: writing it would change some other file.
    static bool IsPlainFile(HANDLE file, const std::string& path);
};

} // namespace kelp
