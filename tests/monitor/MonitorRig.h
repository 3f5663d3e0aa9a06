#pragma once
// A power monitor over the real Tamsel.dll of this test's board and a
// scripted graphics-card side.

#include "engine/CpuPowerMonitor.h"
#include "kelp/vantor/BiosItems.h"
#include "tests/gear/GearRig.h"

#include <map>
#include <vector>

namespace monitortest {

class FakeGpu final : public kelp::GpuLib {
public:
    bool SetVgaMode(uint32_t mode) override
    {
        sent.push_back(mode);
        return true;
    }
    bool GetVgaMode(uint32_t& value) override
    {
        value = mode;
        return modeAnswered;
    }
    bool QueryVgaCapability(kelp::VgaCapability& answer) override
    {
        answer = capability;
        return capabilityAnswered;
    }
    bool GetVgaModeValue(uint32_t level, uint32_t& value) override
    {
        auto found = savings.find(level);
        if (found == savings.end())
            return false;
        value = found->second;
        return true;
    }
    bool HasVersion() override { return true; }
    bool IsServerAvailable() override { return true; }
    bool IsSyncEnabled() override { return sync; }

    bool capabilityAnswered = true;
    kelp::VgaCapability capability{0x03, 30000};
    std::map<uint32_t, uint32_t> savings{{0x4000, 0}, {0, 0}, {1, 1500}, {2, 3000}};
    bool sync = true;
    uint32_t mode = 0;
    bool modeAnswered = true;
    std::vector<uint32_t> sent;
};

class FakeHost final : public CpuPowerMonitorHost {
public:
    bool IsRestorePending(int& level) override
    {
        level = restoreLevel;
        return restorePending;
    }
    void EnableVgaButton(bool enable) override { buttonEnabled.push_back(enable); }
    void RedrawGearDial() override { ++dialRedraws; }

    bool restorePending = false;
    int restoreLevel = 0;
    std::vector<bool> buttonEnabled;
    int dialRedraws = 0;
};

// Keeps the Auto gear where a test puts it: with every switch threshold at
// the held current reading, no gear steps up or down.
inline void HoldAutoGear()
{
    const uint32_t current = geartest::BoardValue(kelp::BiosItemId::kCpuCurrent);
    for (uint32_t k = 0; k < 3; ++k)
        geartest::SetBoardValue(kelp::BiosItemId::kAutoThreshold1 + k, current);
}

struct MonitorRig {
    MonitorRig() { monitor.PlugHost(&host); }
    geartest::GearRig gear;
    FakeGpu gpu;
    FakeHost host;
    CpuPowerMonitor monitor{*gear.gear, gpu};
};

} // namespace monitortest
