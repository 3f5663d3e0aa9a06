#include "kelp/vantor/PowerGearDll.h"

#include "framework/system/ExecutableFolder.h"
#include "ipc/SysCtrlPipeClient.h"
#include "kelp/System/Assert.h"
#include "kelp/System/MessageBox.h"
#include "kelp/System/WinRegistry.h"
#include "kelp/vantor/BiosItems.h"
#include "kelp/vantor/PowerGearSource.h"
#include "kelp/vantor/ThresholdStore.h"

#include <cstdio>

namespace kelp {

namespace {
constexpr uint32_t kCapabilityMaxSavingBits = 0x0C; // bits 2 and 3
constexpr uint32_t kCapabilityGearBit = 0x01;
constexpr uint32_t kCapabilityFourEight = 8;

template <typename Function> void Resolve(HMODULE module, const char* name, Function& function)
{
    function = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

// A call through an export that was never resolved (library not loaded)
// fails instead of jumping through a null pointer.
template <typename Function, typename Result, typename... Args>
Result CallOr(Function function, Result failed, Args... args)
{
    return function ? Result(function(args...)) : failed;
}

void ReportFailure(const char* text)
{
    ShowMessage(text, "");
}

// The level set last, restored at the next log-on; failures are ignored.
void RecordLastMode(int level)
{
    RegistryKey key;
    if (key.Open(HKEY_LOCAL_MACHINE, "Software\\VANTOR\\Tamsel3", true))
        key.WriteDword("LastMode", DWORD(level));
}
} // namespace

PowerGearDll::PowerGearDll(std::string subFolder) : m_subFolder(std::move(subFolder)) {}

std::string PowerGearDll::GetLibraryPath()
{
    std::string path = ExecutableFolder();
    if (!m_subFolder.empty())
        path += m_subFolder + "\\";
    return path + "Tamsel.dll";
}

bool PowerGearDll::Open()
{
    const std::string path = GetLibraryPath();
    if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
        ShowMessage(("Can not find " + path).c_str(), "LoadLibrary Error");
        return false;
    }
    m_module = LoadLibraryA(path.c_str());
    if (!m_module) {
        ShowMessage(("Can not load " + path + ". Program will abort").c_str(), "LoadLibrary Error");
        return false;
    }
    ResolveExports();
    const bool initialised = m_pTamselInit() != 0;
    m_supportLevel = ComputeSupportLevel();
    return initialised;
}

void PowerGearDll::ResolveExports()
{
    Resolve(m_module, "TamselInit", m_pTamselInit);
    Resolve(m_module, "TamselGetLevel", m_pGetPowerGearLevel);
    Resolve(m_module, "TamselSetLevel", m_pSetPowerGearLevel);
    Resolve(m_module, "TamselIsSupport", m_pTamselIsSupport);
    Resolve(m_module, "TamselCheckOC", m_pTamselCheckOc);
    Resolve(m_module, "TamselCheckReboot", m_pTamselCheckReboot);
    Resolve(m_module, "IsDozlaSupported", m_pIsDozlaSupported);
    Resolve(m_module, "IsFanControlSupported", m_pIsFanControlSupported);
    Resolve(m_module, "IsBroskSupported", m_pIsBroskSupported);
    Resolve(m_module, "IsBroskTwoSupported", m_pIsBroskTwoSupported);
    Resolve(m_module, "IsBroskThreeSupported", m_pIsBroskThreeSupported);
    Resolve(m_module, "IsFarcallSupported", m_pIsFarcallSupported);
    Resolve(m_module, "IsNitrelSupported", m_pIsNitrelSupported);
    Resolve(m_module, "IsThermostatSupported", m_pIsThermostatSupported);
    Resolve(m_module, "IsTamselTwoSupported", m_pIsTamselTwoSupported);
    Resolve(m_module, "TamselButtonEnable", m_pTamselButtonEnable);
    Resolve(m_module, "TamselGetItem", m_pGetItem);
    Resolve(m_module, "TamselSetItem", m_pSetItem);
    Resolve(m_module, "SetItemEx", m_pSetItemEx);
    Resolve(m_module, "IsItemSupported", m_pIsItmeSupport);
    Resolve(m_module, "GetStringList", m_pGetStringList);
    Resolve(m_module, "GetItemDefaultValue", m_pGetItemDefaultValue);
    Resolve(m_module, "IsVentryThreeSupported", m_pIsVentryThreeSupported);
    Resolve(m_module, "GetItemInformation", m_pGetNumberItemInformation);
    KELP_ASSERT(m_pTamselInit != NULL && m_pGetPowerGearLevel != NULL && m_pSetPowerGearLevel != NULL &&
                    m_pTamselIsSupport != NULL && m_pTamselCheckOc != NULL && m_pTamselCheckReboot != NULL &&
                    m_pIsDozlaSupported != NULL && m_pIsFanControlSupported != NULL &&
                    m_pIsBroskSupported != NULL && m_pIsBroskTwoSupported != NULL &&
                    m_pIsBroskThreeSupported != NULL && m_pIsFarcallSupported != NULL &&
                    m_pIsNitrelSupported != NULL && m_pIsThermostatSupported != NULL &&
                    m_pIsTamselTwoSupported != NULL && m_pTamselButtonEnable != NULL && m_pGetItem != NULL &&
                    m_pSetItem != NULL && m_pSetItemEx != NULL && m_pIsItmeSupport != NULL &&
                    m_pGetStringList != NULL && m_pGetItemDefaultValue != NULL &&
                    m_pIsVentryThreeSupported != NULL && m_pGetNumberItemInformation != NULL,
                kPowerGearSource, 872);
}

uint8_t PowerGearDll::ComputeSupportLevel()
{
    uint32_t supported = 0;
    if (!m_pTamselIsSupport(&supported) || supported != 1)
        return 0;
    uint32_t capability = 0;
    if (!IsItemSupported(BiosItemId::kGearCapability) || !GetItem(BiosItemId::kGearCapability, capability))
        return 1;
    if (capability & kCapabilityMaxSavingBits)
        return 4;
    if (capability >= 2)
        return 3;
    if (capability & kCapabilityGearBit)
        return 2;
    return 1;
}

bool PowerGearDll::IsSupported()
{
    return m_supportLevel != 0;
}

bool PowerGearDll::CheckOc()
{
    uint32_t overclocked = 0;
    if (CallOr(m_pTamselCheckOc, uint8_t(0), &overclocked) && overclocked == 1)
        return true;
    // The firmware could not tell: ask the system-control service, for
    // which states 1 and 2 are the only ones that are not overclocked.
    uint32_t state = 0;
    uint32_t secondValue = 0;
    if (!SysCtrlPipeClient::Instance().GetOcState(state, secondValue))
        return false;
    return state != 1 && state != 2;
}

int PowerGearDll::GetLevel()
{
    KELP_ASSERT(IsSupported(), kPowerGearSource, 420);
    uint32_t level = 0;
    if (!m_pGetPowerGearLevel(&level))
        return 0;
    return int(level);
}

bool PowerGearDll::IsTamselOpen()
{
    uint32_t enabled = 0;
    if (!GetItem(BiosItemId::kGearEnable, enabled))
        ReportFailure("[PowerGearDll::IsTamselOpen] Failed");
    return enabled == 1;
}

void PowerGearDll::EnableTamsel(uint32_t enable)
{
    if (!SetItem(BiosItemId::kGearEnable, enable))
        ReportFailure("[PowerGearDll::EnableTamsel] Failed");
}

ThresholdStore& PowerGearDll::Thresholds()
{
    return m_thresholds ? *m_thresholds : ThresholdStore::Instance();
}

void PowerGearDll::PreStep(int level)
{
    if (!IsAdvancedGear())
        return;
    if (!IsTamselOpen())
        EnableTamsel(1);
    if (level != kGearLevelAuto || !HasSixThresholds())
        return;
    // The six-threshold firmware must know its thresholds before it
    // starts switching: push the copy in memory as it is.
    const std::vector<uint32_t> values = Thresholds().Values();
    for (size_t i = 0; i < values.size(); ++i) {
        const uint32_t id = BiosItemId::kAutoThreshold1 + uint32_t(i);
        if (!SetItem(id, values[i])) {
            char text[64];
            std::snprintf(text, sizeof text, "[PowerGearDll::SetThreshold] %x Failed", unsigned(id));
            ReportFailure(text);
        }
    }
}

void PowerGearDll::PostStep(int level)
{
    if (!IsAdvancedGear())
        return;
    if (level == kGearLevelAuto && !HasSixThresholds()) {
        ThresholdStore& store = Thresholds();
        store.Load();
        const std::vector<uint32_t> values = store.Values();
        SetThreshold(values.at(0), values.at(1), values.at(2));
    } else if (level == 0 && IsTamselOpen() && !IsLevelFour()) {
        EnableTamsel(0);
    }
}

bool PowerGearDll::SetLevel(int level)
{
    PreStep(level);
    const bool done = CallOr(m_pSetPowerGearLevel, uint8_t(0), uint32_t(level)) != 0;
    PostStep(level);
    if (IsAdvancedGear())
        RecordLastMode(level);
    return done;
}

bool PowerGearDll::SetLevelItem(int level)
{
    PreStep(level);
    const bool done = SetItem(BiosItemId::kGearLevel, uint32_t(level));
    PostStep(level);
    return done;
}

bool PowerGearDll::CheckReboot(uint32_t argument)
{
    uint32_t needed = 0;
    return CallOr(m_pTamselCheckReboot, uint8_t(0), argument, &needed) && needed == 1;
}

uint32_t PowerGearDll::IsDozlaSupported() { return CallOr(m_pIsDozlaSupported, 0u); }
uint32_t PowerGearDll::IsFanControlSupported() { return CallOr(m_pIsFanControlSupported, 0u); }
uint32_t PowerGearDll::IsBroskSupported() { return CallOr(m_pIsBroskSupported, 0u); }
uint32_t PowerGearDll::IsBroskTwoSupported() { return CallOr(m_pIsBroskTwoSupported, 0u); }
uint32_t PowerGearDll::IsBroskThreeSupported() { return CallOr(m_pIsBroskThreeSupported, 0u); }
uint32_t PowerGearDll::IsFarcallSupported() { return CallOr(m_pIsFarcallSupported, 0u); }
uint32_t PowerGearDll::IsNitrelSupported() { return CallOr(m_pIsNitrelSupported, 0u); }
uint32_t PowerGearDll::IsThermostatSupported() { return CallOr(m_pIsThermostatSupported, 0u); }

bool PowerGearDll::IsLevelTwo() { return m_supportLevel == 2; }
bool PowerGearDll::IsAdvancedGear() { return m_supportLevel == 3 || m_supportLevel == 4; }
bool PowerGearDll::IsLevelFour() { return m_supportLevel == 4; }

bool PowerGearDll::IsLevelFourEight()
{
    if (m_supportLevel != 4)
        return false;
    uint32_t capability = 0;
    return GetItem(BiosItemId::kGearCapability, capability) && capability == kCapabilityFourEight;
}

uint32_t PowerGearDll::IsVentryThreeSupported() { return CallOr(m_pIsVentryThreeSupported, 0u); }
uint32_t PowerGearDll::ButtonEnable() { return CallOr(m_pTamselButtonEnable, 0u); }

bool PowerGearDll::GetItem(uint32_t id, uint32_t& value)
{
    uint32_t read = 0;
    if (!CallOr(m_pGetItem, 0u, id, &read))
        return false;
    value = read;
    return true;
}

bool PowerGearDll::SetItem(uint32_t id, uint32_t value)
{
    return CallOr(m_pSetItem, 0u, id, value) != 0;
}

bool PowerGearDll::IsItemSupported(uint32_t id)
{
    return CallOr(m_pIsItmeSupport, uint8_t(0), id) != 0;
}

uint32_t PowerGearDll::SetItemEx(uint32_t id, uint32_t first, uint32_t second)
{
    return CallOr(m_pSetItemEx, 0u, id, first, second);
}

bool PowerGearDll::SetThreshold(uint32_t t1, uint32_t t2, uint32_t t3)
{
    // Each failure is reported on its own and the remaining writes go on.
    bool all = true;
    if (!SetItem(BiosItemId::kAutoThreshold1, t1)) {
        ReportFailure("[PowerGearDll::SetThreshold] 0x0E0A0014 Failed");
        all = false;
    }
    if (!SetItem(BiosItemId::kAutoThreshold1 + 1, t2)) {
        ReportFailure("[PowerGearDll::SetThreshold] 0x0E0A0015 Failed");
        all = false;
    }
    if (!SetItem(BiosItemId::kAutoThreshold1 + 2, t3)) {
        ReportFailure("[PowerGearDll::SetThreshold] 0x0E0A0016 Failed");
        all = false;
    }
    return all;
}

uint32_t PowerGearDll::GetStringList(uint32_t a, uint32_t b, uint32_t c, uint32_t d)
{
    return CallOr(m_pGetStringList, 0u, a, b, c, d);
}

uint32_t PowerGearDll::GetItemDefaultValue(uint32_t a, uint32_t b)
{
    return CallOr(m_pGetItemDefaultValue, 0u, a, b);
}

bool PowerGearDll::GetItemInformation(uint32_t id, GearItemInformation& record)
{
    return CallOr(m_pGetNumberItemInformation, uint8_t(0), id, static_cast<void*>(record.bytes)) != 0;
}

} // namespace kelp
