#include "board/dozla/SavedVolumes.h"

#include <utility>

namespace vboard {

SavedVolumes::SavedVolumes(ReadVolume read, WriteVolume write) : read_(std::move(read)), write_(std::move(write)) {}

void SavedVolumes::Silence(UINT device)
{
    std::lock_guard guard(lock_);
    if (saved_.count(device) == 0) {
        DWORD volume = 0;
        if (read_(device, volume))
            saved_[device] = volume;
    }
    write_(device, 0);
}

void SavedVolumes::Restore(UINT device)
{
    std::lock_guard guard(lock_);
    const auto saved = saved_.find(device);
    if (saved == saved_.end())
        return;
    write_(device, saved->second);
    saved_.erase(saved);
}

} // namespace vboard
