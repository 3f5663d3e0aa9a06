#include "engine/CalibrationProfile.h"

#include "hw/OcManager.h"
#include "hw/UserProfileManager.h"

#include <string>

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
    kelp::OcManager manager;
    return kelp::UserProfileManager::Load(path, manager) && manager.HasPendingChange();
}
