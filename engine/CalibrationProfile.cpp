#include "engine/CalibrationProfile.h"

#include "hw/OcManager.h"
#include "hw/UserProfileManager.h"

#include <string>
#include <vector>

bool SaveCalibrationProfile()
{
    const std::string path = kelp::UserProfileManager::DefaultPath();
    if (path.empty())
        return false;
    kelp::OcManager manager;
    return kelp::UserProfileManager::Save(path, manager);
}

bool CalibrationProfileDiffers()
{
    const std::string path = kelp::UserProfileManager::DefaultPath();
    if (path.empty())
        return false;
    // The file first: without a profile there is nothing to compare, and
    // building the manager reads every overclocking item from the firmware.
    std::vector<kelp::ProfileRecord> records;
    if (!kelp::UserProfileManager::Read(path, records))
        return false;
    kelp::OcManager manager;
    kelp::UserProfileManager::Apply(records, manager);
    return manager.HasPendingChange();
}
