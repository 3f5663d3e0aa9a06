#pragma once
// The user overclocking profile "cal.oc": the pending values of the
// overclock manager's items, little-endian -
//   "VTOC" | version (1) | record count n | n x (identifier, signed value)
// Files of version 2 or later are refused. The file may be written by
// every user of the machine; its folder only by the administrators.

#include "hw/OcManager.h"
#include "hw/UserProfileFile.h"

#include <string>
#include <vector>

namespace kelp {

class UserProfileManager {
public:
    // <all-users application data>\Ordun\cal.oc; the folder is created
    // when missing. "" when the folder is unknown, cannot be created or is
    // refused (a link, or not owned by the administrators).
    static std::string DefaultPath();

    // Replaces the file with every item of the ordered list, then of the
    // second list, as (identifier, pending value). False when the file
    // cannot be created or written, or is a link or has a second name.
    static bool Save(const std::string& path, OcManager& manager);
    // Applies the file's records as pending values, as many as the file
    // holds, up to kMaxProfileRecords (a huge count cannot stall start-up).
    // False when the file is missing, a link or has a second name, a header
    // field is missing or the version is too new.
    static bool Load(const std::string& path, OcManager& manager);
    // The records Load applies, read without a manager, so that a caller
    // can look for a profile before building one. False as for Load.
    static bool Read(const std::string& path, std::vector<ProfileRecord>& records);
    // Applies records as Load does.
    static void Apply(const std::vector<ProfileRecord>& records, OcManager& manager);
};

} // namespace kelp
