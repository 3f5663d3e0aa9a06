#pragma once
// DozlaLibImp over Dozla.dll, loaded from the executable's folder with its
// exports resolved by name; on Vista and later systems the mute goes
// through mutevol.dll instead. A missing Dozla.dll leaves the library
// unsupported: every call then does nothing and answers no.

#include "kelp/System/WindowsVersion.h"
#include "kelp/vantor/DozlaLibImp.h"

#include <windows.h>

#include <cstdint>
#include <memory>
#include <type_traits>

namespace kelp {

class DozlaLibDll final : public DozlaLibImp {
public:
    // `windowsMajor`: the system's major version, 0 when it cannot be read.
    explicit DozlaLibDll(unsigned windowsMajor = WindowsMajorVersion());
    DozlaLibDll(const DozlaLibDll&) = delete;
    DozlaLibDll& operator=(const DozlaLibDll&) = delete;

    bool IsLoaded() const { return m_dozla != nullptr; }

    bool IsSupported() override;
    bool CheckReboot() override;
    bool IsEnabled() override { return m_enabled; }
    void Enable(bool on) override;
    void EnterNap() override;
    void LeaveNap() override;
    void Unmute() override;
    void Mute() override;
    void ScreenOn() override;
    void ScreenOff() override;
    void RestoreFans() override;
    bool IsSleeping() override { return m_napping; }
    uint32_t GetLevel() override;
    bool SetLevel(uint32_t level) override;
    uint32_t IsDozla() override;
    uint32_t IsThermostatSupported() override;
    bool IsHushroSupported() override;
    bool IsAdvancedGear() override;
    bool IsLevelFour() override;
    bool IsVentryThreeSupported() override { return m_fanItem; }
    uint32_t GetPowerButtonSetting(uint32_t a, uint32_t b) override;
    uint32_t SetPowerButtonSetting(uint32_t a, uint32_t b) override;
    bool GetItem(uint32_t id, uint32_t& value) override;
    bool SetItem(uint32_t id, uint32_t value) override;
    bool IsItemSupported(uint32_t id) override;

private:
    using Action = uint8_t(__stdcall*)();
    using Question = uint8_t(__stdcall*)(uint32_t* answer);
    using Switch = uint8_t(__stdcall*)(uint32_t on);
    using Query = uint32_t(__stdcall*)();
    using Pair = uint32_t(__stdcall*)(uint32_t, uint32_t);
    using ItemRead = uint8_t(__stdcall*)(uint32_t id, uint32_t* value);
    using ItemWrite = uint8_t(__stdcall*)(uint32_t id, uint32_t value);
    using ItemQuestion = uint8_t(__stdcall*)(uint32_t id);

    struct ModuleFreer {
        void operator()(HMODULE module) const { FreeLibrary(module); }
    };
    using Module = std::unique_ptr<std::remove_pointer_t<HMODULE>, ModuleFreer>;

    static bool Yes(Question question);
    bool GearItemAbove(uint32_t limit);
    bool UsesMuteLibrary() const { return IsVistaOrLater(m_windowsMajor); }
    void WriteThresholds(uint32_t t1, uint32_t t2, uint32_t t3);
    void GearPreStep();
    void GearPostStep(uint32_t level);
    void FanStep(uint32_t level);

    unsigned m_windowsMajor;
    Module m_dozla;
    Module m_muteLibrary;
    bool m_enabled = false;
    bool m_napping = false;
    bool m_gearItem = false;
    bool m_fanItem = false;

    Action m_pDozlaInit = nullptr;
    Question m_pDozlaIsSupport = nullptr;
    Question m_pTamselIsSupport = nullptr;
    Action m_pDozlaEnable = nullptr;
    Action m_pDozlaDisable = nullptr;
    Action m_pDozlaWake = nullptr;
    Action m_pDozlaSleep = nullptr;
    Switch m_pDozlaSound = nullptr;
    Switch m_pDozlaScreen = nullptr;
    Question m_pDozlaCheckReboot = nullptr;
    Question m_pGetLevel = nullptr;
    Switch m_pSetLevel = nullptr;
    Query m_pIsDozla = nullptr;
    Query m_pIsThermostatSupported = nullptr;
    Question m_pHushroIsSupport = nullptr;
    Pair m_pGetPowerButtonSetting = nullptr;
    Pair m_pSetPowerButtonSetting = nullptr;
    ItemRead m_pGetItem = nullptr;
    ItemWrite m_pSetItem = nullptr;
    ItemQuestion m_pIsItemSupport = nullptr;
    Query m_isVentryThreeSupported = nullptr;
    Switch m_pVISTA_SetMute = nullptr;
};

} // namespace kelp
