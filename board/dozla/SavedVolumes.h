#pragma once
// The volumes of the audio devices the nap library silenced, one per
// device. Silencing a device that is silent already keeps the volume saved
// the first time, and bringing the sound back gives each device its own
// volume; a device that was never silenced here is left alone.

#include <windows.h>

#include <functional>
#include <map>
#include <mutex>

namespace vboard {

class SavedVolumes {
public:
    using ReadVolume = std::function<bool(UINT device, DWORD& volume)>;
    using WriteVolume = std::function<void(UINT device, DWORD volume)>;

    SavedVolumes(ReadVolume read, WriteVolume write);

    void Silence(UINT device);
    void Restore(UINT device);

private:
    ReadVolume read_;
    WriteVolume write_;
    // The nap library is called from any thread.
    std::mutex lock_;
    std::map<UINT, DWORD> saved_;
};

} // namespace vboard
