#pragma once
// PowerGearImp over Tamsel.dll, loaded at run time from the executable's
// folder (or its "Tamsel" sub-folder) with every export resolved by name.
// The library stays loaded until the process ends.

#include "kelp/vantor/PowerGearImp.h"

#include <windows.h>

#include <cstdint>
#include <string>

namespace kelp {

class ThresholdStore;

class PowerGearDll final : public PowerGearImp {
public:
    // subFolder: "" or "Tamsel", below the executable's folder.
    explicit PowerGearDll(std::string subFolder);
    PowerGearDll(const PowerGearDll&) = delete;
    PowerGearDll& operator=(const PowerGearDll&) = delete;

    // The store whose thresholds the Auto level pushes; the process-wide
    // store unless one is given.
    void UseThresholdStore(ThresholdStore& store) { m_thresholds = &store; }
    uint8_t SupportLevel() const { return m_supportLevel; }

    bool Open() override;
    bool IsSupported() override;
    bool CheckOc() override;
    int GetLevel() override;
    bool SetLevel(int level) override;
    bool SetLevelItem(int level) override;
    bool CheckReboot(uint32_t argument) override;
    uint32_t IsDozlaSupported() override;
    uint32_t IsFanControlSupported() override;
    uint32_t IsBroskSupported() override;
    uint32_t IsBroskTwoSupported() override;
    uint32_t IsBroskThreeSupported() override;
    uint32_t IsFarcallSupported() override;
    uint32_t IsNitrelSupported() override;
    uint32_t IsThermostatSupported() override;
    bool IsLevelTwo() override;
    bool IsAdvancedGear() override;
    bool IsLevelFour() override;
    bool IsLevelFourEight() override;
    uint32_t IsVentryThreeSupported() override;
    uint32_t ButtonEnable() override;
    bool GetItem(uint32_t id, uint32_t& value) override;
    bool SetItem(uint32_t id, uint32_t value) override;
    bool IsItemSupported(uint32_t id) override;
    uint32_t SetItemEx(uint32_t id, uint32_t first, uint32_t second) override;
    bool SetThreshold(uint32_t t1, uint32_t t2, uint32_t t3) override;
    uint32_t GetStringList(uint32_t a, uint32_t b, uint32_t c, uint32_t d) override;
    uint32_t GetItemDefaultValue(uint32_t a, uint32_t b) override;
    bool GetItemInformation(uint32_t id, GearItemInformation& record) override;
    std::string GetLibraryPath() override;

private:
    using FlagFn = uint8_t(__stdcall*)();
    using FlagOutFn = uint8_t(__stdcall*)(uint32_t*);
    using FlagInFn = uint8_t(__stdcall*)(uint32_t);
    using CheckRebootFn = uint8_t(__stdcall*)(uint32_t, uint32_t*);
    using WordFn = uint32_t(__stdcall*)();
    using GetItemFn = uint32_t(__stdcall*)(uint32_t, uint32_t*);
    using SetItemFn = uint32_t(__stdcall*)(uint32_t, uint32_t);
    using SetItemExFn = uint32_t(__stdcall*)(uint32_t, uint32_t, uint32_t);
    using StringListFn = uint32_t(__stdcall*)(uint32_t, uint32_t, uint32_t, uint32_t);
    using DefaultValueFn = uint32_t(__stdcall*)(uint32_t, uint32_t);
    using InformationFn = uint8_t(__stdcall*)(uint32_t, void*);

    void ResolveExports();
    uint8_t ComputeSupportLevel();
    bool IsTamselOpen();
    void EnableTamsel(uint32_t enable);
    void PreStep(int level);
    void PostStep(int level);
    ThresholdStore& Thresholds();

    std::string m_subFolder;
    ThresholdStore* m_thresholds = nullptr;
    // Never freed: the library is used until the process ends.
    HMODULE m_module = nullptr;
    uint8_t m_supportLevel = 0;

    FlagFn m_pTamselInit = nullptr;
    FlagOutFn m_pGetPowerGearLevel = nullptr;
    FlagInFn m_pSetPowerGearLevel = nullptr;
    FlagOutFn m_pTamselIsSupport = nullptr;
    FlagOutFn m_pTamselCheckOc = nullptr;
    CheckRebootFn m_pTamselCheckReboot = nullptr;
    WordFn m_pIsDozlaSupported = nullptr;
    WordFn m_pIsFanControlSupported = nullptr;
    WordFn m_pIsBroskSupported = nullptr;
    WordFn m_pIsBroskTwoSupported = nullptr;
    WordFn m_pIsBroskThreeSupported = nullptr;
    WordFn m_pIsFarcallSupported = nullptr;
    WordFn m_pIsNitrelSupported = nullptr;
    WordFn m_pIsThermostatSupported = nullptr;
    WordFn m_pIsTamselTwoSupported = nullptr;
    WordFn m_pTamselButtonEnable = nullptr;
    GetItemFn m_pGetItem = nullptr;
    SetItemFn m_pSetItem = nullptr;
    SetItemExFn m_pSetItemEx = nullptr;
    FlagInFn m_pIsItmeSupport = nullptr;
    StringListFn m_pGetStringList = nullptr;
    DefaultValueFn m_pGetItemDefaultValue = nullptr;
    WordFn m_pIsVentryThreeSupported = nullptr;
    InformationFn m_pGetNumberItemInformation = nullptr;
};

} // namespace kelp
