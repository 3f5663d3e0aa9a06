#include "kelp/vantor/DozlaLibDll.h"

#include "framework/system/ExecutableFolder.h"
#include "kelp/System/Assert.h"
#include "kelp/System/MessageBox.h"
#include "kelp/System/WinRegistry.h"
#include "kelp/vantor/BiosItems.h"
#include "kelp/vantor/DozlaFans.h"

#include <string>

namespace kelp {
namespace {
const char kSource[] = "kelp\\vantor\\Source\\DozlaLib";
constexpr uint32_t kAuto = 0x8000;
constexpr uint32_t kNapLevel = 255;

template <typename Function> void Resolve(HMODULE module, const char* name, Function& function)
{
    function = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

HMODULE LoadOrReport(const std::string& path)
{
    HMODULE module = LoadLibraryA(path.c_str());
    if (!module)
        ShowMessage(("Can not load " + path).c_str(), "LoadLibrary Error");
    return module;
}

bool IsNapFanLevel(uint32_t level)
{
    return level == 1 || level == 2 || level == kNapLevel || level == kAuto;
}
} // namespace

DozlaLibDll::DozlaLibDll(unsigned windowsMajor) : m_windowsMajor(windowsMajor)
{
    std::string path = ExecutableFolder() + "Dozla.dll";
    if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES)
        return;
    m_dozla.reset(LoadOrReport(path));
    if (!m_dozla)
        return;
    HMODULE module = m_dozla.get();
    Resolve(module, "DozlaInit", m_pDozlaInit);
    Resolve(module, "DozlaIsSupport", m_pDozlaIsSupport);
    Resolve(module, "DozlaCheckReboot", m_pDozlaCheckReboot);
    Resolve(module, "HushroIsSupport", m_pHushroIsSupport);
    Resolve(module, "TamselIsSupport", m_pTamselIsSupport);
    Resolve(module, "DozlaEnable", m_pDozlaEnable);
    Resolve(module, "DozlaDisable", m_pDozlaDisable);
    Resolve(module, "DozlaWake", m_pDozlaWake);
    Resolve(module, "DozlaSleep", m_pDozlaSleep);
    Resolve(module, "DozlaSound", m_pDozlaSound);
    Resolve(module, "DozlaScreen", m_pDozlaScreen);
    Resolve(module, "GetLevel", m_pGetLevel);
    Resolve(module, "SetLevel", m_pSetLevel);
    Resolve(module, "IsDozla", m_pIsDozla);
    Resolve(module, "IsThermostatSupported", m_pIsThermostatSupported);
    Resolve(module, "GetPowerButtonSetting", m_pGetPowerButtonSetting);
    Resolve(module, "SetPowerButtonSetting", m_pSetPowerButtonSetting);
    Resolve(module, "DozlaGetItem", m_pGetItem);
    Resolve(module, "DozlaSetItem", m_pSetItem);
    Resolve(module, "IsItemSupported", m_pIsItemSupport);
    Resolve(module, "IsVentryThreeSupported", m_isVentryThreeSupported);
    KELP_ASSERT(m_pDozlaInit != 0 && m_pDozlaIsSupport != 0 && m_pTamselIsSupport != 0 && m_pDozlaEnable != 0 &&
                    m_pDozlaDisable != 0 && m_pDozlaWake != 0 && m_pDozlaSleep != 0 && m_pDozlaSound != 0 &&
                    m_pDozlaScreen != 0 && m_pDozlaCheckReboot != 0 && m_pGetLevel != 0 && m_pSetLevel != 0 &&
                    m_pIsDozla != 0 && m_pIsThermostatSupported != 0 && m_pHushroIsSupport != 0 &&
                    m_pGetPowerButtonSetting != 0 && m_pSetPowerButtonSetting != 0 && m_pGetItem != 0 &&
                    m_pSetItem != 0 && m_pIsItemSupport != 0 && m_isVentryThreeSupported != 0,
                kSource, 622);

    if (UsesMuteLibrary()) {
        m_muteLibrary.reset(LoadOrReport(ExecutableFolder() + "mutevol.dll"));
        if (!m_muteLibrary)
            return;
        Resolve(m_muteLibrary.get(), "VISTA_SetMute", m_pVISTA_SetMute);
        KELP_ASSERT(m_pVISTA_SetMute != 0, kSource, 639);
    }

    m_pDozlaInit();
    m_gearItem = m_pIsItemSupport(BiosItemId::kGearCapability) != 0;
    m_fanItem = m_isVentryThreeSupported() != 0 && m_pIsItemSupport(BiosItemId::kFanBaseTemperature) != 0;
}

bool DozlaLibDll::Yes(Question question)
{
    uint32_t answer = 0;
    return question && question(&answer) && answer == 1;
}

bool DozlaLibDll::IsSupported()
{
    return Yes(m_pDozlaIsSupport);
}

bool DozlaLibDll::CheckReboot()
{
    return Yes(m_pDozlaCheckReboot);
}

bool DozlaLibDll::IsHushroSupported()
{
    return Yes(m_pHushroIsSupport);
}

void DozlaLibDll::Enable(bool on)
{
    Action action = on ? m_pDozlaEnable : m_pDozlaDisable;
    if (action)
        action();
    m_enabled = on;
}

bool DozlaLibDll::GearItemAbove(uint32_t limit)
{
    uint32_t capability = 0;
    return m_gearItem && Yes(m_pTamselIsSupport) && GetItem(BiosItemId::kGearCapability, capability) &&
           capability > limit;
}

bool DozlaLibDll::IsAdvancedGear()
{
    return GearItemAbove(1);
}

bool DozlaLibDll::IsLevelFour()
{
    return GearItemAbove(3);
}

void DozlaLibDll::WriteThresholds(uint32_t t1, uint32_t t2, uint32_t t3)
{
    if (!SetItem(BiosItemId::kAutoThreshold1, t1))
        ShowMessage("[PowerGearDll::SetThreshold] 0x0E0A0014 Failed", "");
    if (!SetItem(BiosItemId::kAutoThreshold1 + 1, t2))
        ShowMessage("[PowerGearDll::SetThreshold] 0x0E0A0015 Failed", "");
    if (!SetItem(BiosItemId::kAutoThreshold1 + 2, t3))
        ShowMessage("[PowerGearDll::SetThreshold] 0x0E0A0016 Failed", "");
}

void DozlaLibDll::GearPreStep()
{
    WriteThresholds(0, 0, 255);
    if (!IsLevelFour() && !SetItem(BiosItemId::kGearEnable, 1))
        ShowMessage("[PowerGearDll::EnableTamsel] Failed", "");
}

void DozlaLibDll::GearPostStep(uint32_t level)
{
    if (level == kAuto) {
        RegistryKeyReader key;
        DWORD t1 = 0, t2 = 0, t3 = 0;
        bool stored = key.Open(HKEY_LOCAL_MACHINE, "Software\\VANTOR\\Tamsel3") && key.ReadDword("Threshold1", t1) &&
                      key.ReadDword("Threshold2", t2) && key.ReadDword("Threshold3", t3);
        if (!stored)
            t1 = 0, t2 = 0, t3 = 255;
        WriteThresholds(t1, t2, t3);
    } else if (level == 0) {
        uint32_t open = 0;
        if (!GetItem(BiosItemId::kGearEnable, open))
            ShowMessage("[PowerGearDll::IsTamselOpen] Failed", "");
        else if (open == 1 && !IsLevelFour())
            WriteThresholds(0, 0, 255);
    }
}

void DozlaLibDll::FanStep(uint32_t level)
{
    if (!IsVentryThreeSupported())
        return;
    DozlaFans* fans = DozlaFans::Registered();
    if (!fans)
        return;
    if (IsNapFanLevel(level))
        fans->ApplyNapFans(level);
    else
        fans->RestoreFans();
}

uint32_t DozlaLibDll::GetLevel()
{
    uint32_t level = 0;
    return m_pGetLevel && m_pGetLevel(&level) ? level : 0;
}

bool DozlaLibDll::SetLevel(uint32_t level)
{
    bool advanced = IsAdvancedGear();
    if (advanced)
        GearPreStep();
    bool set = m_pSetLevel && m_pSetLevel(level);
    if (advanced) {
        GearPostStep(level);
        FanStep(level);
    }
    return set;
}

void DozlaLibDll::EnterNap()
{
    m_napping = true;
    if (IsAdvancedGear()) {
        SetLevel(kNapLevel);
        return;
    }
    if (m_pDozlaSleep)
        m_pDozlaSleep();
    FanStep(kNapLevel);
}

void DozlaLibDll::LeaveNap()
{
    m_napping = false;
    if (IsAdvancedGear()) {
        SetLevel(0);
        return;
    }
    if (m_pDozlaWake)
        m_pDozlaWake();
    FanStep(0);
}

void DozlaLibDll::Unmute()
{
    if (UsesMuteLibrary()) {
        if (m_pVISTA_SetMute)
            m_pVISTA_SetMute(0);
    } else if (m_pDozlaSound) {
        m_pDozlaSound(1);
    }
}

void DozlaLibDll::Mute()
{
    if (UsesMuteLibrary()) {
        if (m_pVISTA_SetMute)
            m_pVISTA_SetMute(1);
    } else if (m_pDozlaSound) {
        m_pDozlaSound(0);
    }
}

void DozlaLibDll::ScreenOn()
{
    if (m_pDozlaScreen)
        m_pDozlaScreen(1);
}

void DozlaLibDll::ScreenOff()
{
    if (m_pDozlaScreen)
        m_pDozlaScreen(0);
}

void DozlaLibDll::RestoreFans()
{
    if (DozlaFans* fans = DozlaFans::Registered())
        fans->RestoreFans();
}

uint32_t DozlaLibDll::IsDozla()
{
    return m_pIsDozla ? m_pIsDozla() : 0;
}

uint32_t DozlaLibDll::IsThermostatSupported()
{
    return m_pIsThermostatSupported ? m_pIsThermostatSupported() : 0;
}

uint32_t DozlaLibDll::GetPowerButtonSetting(uint32_t a, uint32_t b)
{
    return m_pGetPowerButtonSetting ? m_pGetPowerButtonSetting(a, b) : 0;
}

uint32_t DozlaLibDll::SetPowerButtonSetting(uint32_t a, uint32_t b)
{
    return m_pSetPowerButtonSetting ? m_pSetPowerButtonSetting(a, b) : 0;
}

bool DozlaLibDll::GetItem(uint32_t id, uint32_t& value)
{
    return m_pGetItem && m_pGetItem(id, &value);
}

bool DozlaLibDll::SetItem(uint32_t id, uint32_t value)
{
    return m_pSetItem && m_pSetItem(id, value);
}

bool DozlaLibDll::IsItemSupported(uint32_t id)
{
    return m_pIsItemSupport && m_pIsItemSupport(id);
}

} // namespace kelp
