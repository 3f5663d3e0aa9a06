#pragma once
// The operations of the nap library (Dozla.dll), one virtual slot per
// library function or derived query.

#include <cstdint>

namespace kelp {

class DozlaLibImp {
public:
    virtual ~DozlaLibImp() = default;

    virtual bool IsSupported() = 0;
    virtual bool CheckReboot() = 0;
    virtual bool IsEnabled() = 0;
    virtual void Enable(bool on) = 0;
    virtual void EnterNap() = 0;
    virtual void LeaveNap() = 0;
    virtual void Unmute() = 0;
    virtual void Mute() = 0;
    virtual void ScreenOn() = 0;
    virtual void ScreenOff() = 0;
    virtual void RestoreFans() = 0;
    virtual bool IsSleeping() = 0;
    virtual uint32_t GetLevel() = 0;
    virtual bool SetLevel(uint32_t level) = 0;
    virtual uint32_t IsDozla() = 0;
    virtual uint32_t IsThermostatSupported() = 0;
    virtual bool IsHushroSupported() = 0;
    virtual bool IsAdvancedGear() = 0;
    virtual bool IsLevelFour() = 0;
    virtual bool IsVentryThreeSupported() = 0;
    virtual uint32_t GetPowerButtonSetting(uint32_t a, uint32_t b) = 0;
    virtual uint32_t SetPowerButtonSetting(uint32_t a, uint32_t b) = 0;
    virtual bool GetItem(uint32_t id, uint32_t& value) = 0;
    virtual bool SetItem(uint32_t id, uint32_t value) = 0;
    virtual bool IsItemSupported(uint32_t id) = 0;
};

} // namespace kelp
