// The nap library's mute over several audio devices: each device gets its
// own volume back, also after a second mute in a row.

#include "board/dozla/SavedVolumes.h"

#include <gtest/gtest.h>

#include <map>

namespace {

struct Devices {
    std::map<UINT, DWORD> volume;
    vboard::SavedVolumes saved{[this](UINT device, DWORD& value) {
                                   const auto found = volume.find(device);
                                   if (found == volume.end())
                                       return false;
                                   value = found->second;
                                   return true;
                               },
                               [this](UINT device, DWORD value) { volume[device] = value; }};

    void Mute()
    {
        for (auto& [device, value] : volume)
            saved.Silence(device);
    }
    void Unmute()
    {
        for (auto& [device, value] : volume)
            saved.Restore(device);
    }
};

TEST(SavedVolumes, EachDeviceGetsItsOwnVolumeBackAfterRepeatedMutes)
{
    Devices devices;
    devices.volume = {{0, 0x40004000}, {1, 0xFFFFFFFF}, {2, 0x10002000}};
    devices.Mute();
    for (const auto& [device, value] : devices.volume)
        EXPECT_EQ(value, 0u) << device;
    devices.Mute(); // silent already: the saved volumes stay
    devices.Unmute();
    EXPECT_EQ(devices.volume, (std::map<UINT, DWORD>{{0, 0x40004000}, {1, 0xFFFFFFFF}, {2, 0x10002000}}));

    // A new mute saves the volume the user set meanwhile.
    devices.volume[1] = 0x80008000;
    devices.Mute();
    devices.Unmute();
    EXPECT_EQ(devices.volume[1], 0x80008000u);
}

TEST(SavedVolumes, UnmuteLeavesADeviceThatWasNeverSilencedAlone)
{
    Devices devices;
    devices.volume = {{0, 0x20002000}};
    devices.Unmute();
    EXPECT_EQ(devices.volume[0], 0x20002000u);
}

} // namespace
